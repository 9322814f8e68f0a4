# Sourced by the package tests: plugin_layout VST CLAP VST3 LV2 PRESETS reads the files of the
# archive's "Vantor Pro" folder (paths relative to it) and prints where an install of every
# format puts them: the VST 2.4 module with the skin and the program files in VST/Vantor Pro,
# the CLAP module with the skin in CLAP/Vantor Pro, the bundles in VST3 and LV2, and the
# VST3 bundle's presets in PRESETS too.
plugin_layout() {
    awk -v vst="$1/Vantor Pro/" -v clap="$2/Vantor Pro/" -v vst3="$3/" -v lv2="$4/" -v presets="$5/" '
        /^Skin\// { print vst $0; print clap $0 }
        /^Presets\// || $0 == "Vantor Pro.so" { print vst $0 }
        $0 == "Vantor Pro.clap" { print clap $0 }
        /^Vantor Pro\.vst3\// { print vst3 $0 }
        /^Vantor Pro\.vst3\/.*\.vstpreset$/ { n = split($0, part, "/"); print presets part[n] }
        /^vantor-pro\.lv2\// { print lv2 $0 }'
}
