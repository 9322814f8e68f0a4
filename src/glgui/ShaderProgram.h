#pragma once

#include <map>
#include <string>
#include <string_view>

class SkinFiles;

// One GLSL program from a vertex and a fragment shader in the skin folder, with its uniform
// locations cached by (case-sensitive) name. Lives between GUI build and teardown, with the
// editor's context current.
class ShaderProgram
{
public:
    ShaderProgram();
    ~ShaderProgram();
    ShaderProgram(const ShaderProgram&) = delete;
    ShaderProgram& operator=(const ShaderProgram&) = delete;

    void setName(std::string_view displayName) { name = displayName; }
    const std::string& displayName() const { return name; }

    // type is GL_VERTEX_SHADER or GL_FRAGMENT_SHADER. A missing file adds nothing; a source
    // that fails to compile is reported with the compiler's log and left out, and the
    // program carries on without that stage.
    bool addShader(unsigned int type, SkinFiles& files, std::string_view fileName);
    void link();
    void addUniform(const std::string& uniform);
    // -1 (all bits set) for a name never added; GL ignores that location.
    unsigned int uniformLocation(const std::string& uniform) const;

    unsigned int program() const { return programName; }

private:
    std::string name;
    unsigned int programName = 0;
    std::map<unsigned int, unsigned int> shaders;  // stage -> shader object
    std::map<std::string, int> uniforms;
};
