#include "editor/ShaderSet.h"

#include "glgui/OpenGL.h"

#include <initializer_list>

namespace
{

struct ProgramSource
{
    const char* name;
    const char* vertexFile;
    const char* fragmentFile;
    std::initializer_list<const char*> uniforms;
};

// In construction order. "zed" is looked up but never set, so it stays at its default 0.
const ProgramSource kSources[ShaderSet::kProgramCount] = {
    {"Line Draw", "linedraw.vert", "linedraw.frag", {"resolution"}},
    {"Display panel", "display.vert", "display.frag", {"stereo", "clipped", "ticker", "zed"}},
    {"Stereo Width line", "widthline.vert", "widthline.frag", {"width"}},
    {"Curve Display", "curve.vert", "curve.frag", {"parShape"}},
    {"Texture 2D", "2d_texture.vert", "2d_texture.frag", {"texture0"}},
    {"Line Equaliser", "lineequaliser.vert", "lineequaliser.frag", {}},
    {"FFT back", "fft_back.vert", "fft_back.frag", {"texture0"}},
    {"Scope", "scope.vert", "scope.frag", {}},
};

}  // namespace

ShaderSet::ShaderSet(SkinFiles& files, int editorWidth, int editorHeight)
{
    for (int i = 0; i < kProgramCount; ++i)
    {
        const ProgramSource& source = kSources[i];
        auto built = std::make_unique<ShaderProgram>();
        built->setName(source.name);
        built->addShader(GL_VERTEX_SHADER, files, source.vertexFile);
        built->addShader(GL_FRAGMENT_SHADER, files, source.fragmentFile);
        built->link();
        for (const char* uniform : source.uniforms)
            built->addUniform(uniform);
        programs[i] = std::move(built);
    }
    const float resolution[2] = {static_cast<float>(editorWidth), static_cast<float>(editorHeight)};
    use(Program::LineDraw);
    setVec2(Program::LineDraw, "resolution", resolution);
    useNone();
}

std::shared_ptr<ShaderSet> ShaderSet::shared(SkinFiles& files, int editorWidth, int editorHeight)
{
    static std::weak_ptr<ShaderSet> processSet;
    std::shared_ptr<ShaderSet> set = processSet.lock();
    if (set == nullptr)
    {
        set = std::make_shared<ShaderSet>(files, editorWidth, editorHeight);
        processSet = set;
    }
    return set;
}

ShaderSet::~ShaderSet()
{
    for (int i = kProgramCount - 1; i >= 0; --i)
        programs[i].reset();
}

void ShaderSet::use(Program which)
{
    glUseProgram(program(which).program());
}

void ShaderSet::useNone()
{
    glUseProgram(0);
}

int ShaderSet::location(Program which, const char* uniform)
{
    return static_cast<int>(program(which).uniformLocation(uniform));
}

void ShaderSet::setFloat(Program which, const char* uniform, float value)
{
    glUniform1f(location(which, uniform), value);
}

void ShaderSet::setInt(Program which, const char* uniform, int value)
{
    glUniform1i(location(which, uniform), value);
}

void ShaderSet::setVec2(Program which, const char* uniform, const float* values)
{
    glUniform2fv(location(which, uniform), 1, values);
}

void ShaderSet::setVec4(Program which, const char* uniform, const float* values)
{
    glUniform4fv(location(which, uniform), 1, values);
}
