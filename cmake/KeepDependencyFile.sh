#!/bin/sh
# Usage: KeepDependencyFile.sh COMPILER [ARGUMENT]...
# The compiler launcher of the layers under Ninja (cmake/Layers.cmake): runs the compile
# command, then copies the dependency file it wrote (-MF FILE) to OBJECT.layer.d beside its
# object (-o OBJECT). Ninja reads the compiler's own dependency file and deletes it, so the
# layer check (cmake/CheckLayerDependencies.cmake) reads this copy.
set -u
"$@" || exit
object=
dependency_file=
previous=
for argument in "$@"; do
    case $previous in
        -o) object=$argument ;;
        -MF) dependency_file=$argument ;;
    esac
    previous=$argument
done
# Without both there is nothing to keep, and the check says that no copy was found.
if [ -n "$object" ] && [ -n "$dependency_file" ]; then
    cp "$dependency_file" "$object.layer.d"
fi
