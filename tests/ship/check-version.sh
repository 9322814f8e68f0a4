#!/bin/sh
# Usage: check-version.sh INSPECT MODULE VERSION VENDOR_VERSION README_TXT README_MD
# The version the installed module reports to a host, its readme and the project README's
# archive names all follow the project version.
set -eu
inspect=$1 module=$2 version=$3 vendor=$4 readme_txt=$5 readme_md=$6
status=0

reported=$(VANTOR_NO_DIALOGS=1 timeout 60 "$inspect" "$module" | sed -n 's/.*(vendor version \([0-9]*\),.*/\1/p')
if [ "$reported" = "$vendor" ]; then
    echo "ok: the module reports vendor version $reported"
else
    echo "FAIL: the module reports vendor version '$reported', the project version $version means $vendor"
    status=1
fi
if head -n 1 "$readme_txt" | grep -q "^Vantor Pro $version "; then
    echo "ok: the plug-in's readme names version $version"
else
    echo "FAIL: the plug-in's readme does not start with 'Vantor Pro $version'"
    status=1
fi
for archive in "Vantor-Pro-$version-win64.zip" "Vantor-Pro-$version-linux-x86_64.tar.gz"; do
    if grep -qF "$archive" "$readme_md"; then
        echo "ok: README.md names $archive"
    else
        echo "FAIL: README.md does not name $archive"
        status=1
    fi
done
exit $status
