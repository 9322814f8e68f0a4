// A loadable module that is no VST plug-in: it exports a function, but no VSTPluginMain.
extern "C" __attribute__((visibility("default"))) int vantorRenderTestMarker()
{
    return 42;
}
