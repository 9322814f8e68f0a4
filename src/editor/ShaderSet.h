#pragma once

#include "glgui/ShaderProgram.h"

#include <array>
#include <memory>

class SkinFiles;

// The editor's GLSL programs, built from the skin's sources with the context current and
// released, in reverse order, before the context goes.
class ShaderSet
{
public:
    enum class Program
    {
        LineDraw,         // equaliser guide lines and curve
        DisplayPanel,     // stereo gain panel
        StereoWidthLine,  // width display
        CurveDisplay,     // Shape transfer curve
        Texture2D,        // equaliser rings, information panel
        LineEqualiser,    // built and released; nothing draws with it
        FftBack,          // equaliser background spectrum
        Scope,            // the stereo gain panel's Scope view
    };
    static constexpr int kProgramCount = 8;

    ShaderSet(SkinFiles& files, int editorWidth, int editorHeight);
    // The set every editor of the process draws with while their context is one and the
    // same (see platform::SharedGlContext): built by the first that asks, released with its
    // last holder, which must make the context current for that. Each set of programs
    // costs a software renderer its own generated code.
    static std::shared_ptr<ShaderSet> shared(SkinFiles& files, int editorWidth, int editorHeight);
    ~ShaderSet();
    ShaderSet(const ShaderSet&) = delete;
    ShaderSet& operator=(const ShaderSet&) = delete;

    ShaderProgram& program(Program which) { return *programs[static_cast<int>(which)]; }
    // Makes the program current; uniform setters below act on the current program.
    void use(Program which);
    static void useNone();

    void setFloat(Program which, const char* uniform, float value);
    void setInt(Program which, const char* uniform, int value);
    void setVec2(Program which, const char* uniform, const float* values);
    void setVec4(Program which, const char* uniform, const float* values);

private:
    int location(Program which, const char* uniform);

    std::array<std::unique_ptr<ShaderProgram>, kProgramCount> programs;
};
