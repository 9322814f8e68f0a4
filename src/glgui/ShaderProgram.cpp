#include "glgui/ShaderProgram.h"

#include "glgui/OpenGL.h"
#include "glgui/SkinFiles.h"
#include "platform/MessageBox.h"

#include <cstdio>

ShaderProgram::ShaderProgram() : programName(glCreateProgram())
{
}

ShaderProgram::~ShaderProgram()
{
    for (const auto& [stage, shader] : shaders)
    {
        glDetachShader(programName, shader);
        glDeleteShader(shader);
    }
    glDeleteProgram(programName);
}

bool ShaderProgram::addShader(unsigned int type, SkinFiles& files, std::string_view fileName)
{
    SkinFile* file = files.openFile(fileName);
    if (file == nullptr)
        return false;
    const GLuint shader = glCreateShader(type);
    // Text skin files carry a terminating NUL.
    const auto* source = reinterpret_cast<const GLchar*>(file->data.data());
    glShaderSource(shader, 1, &source, nullptr);
    glCompileShader(shader);
    files.closeFile(file);

    GLint compiled = GL_FALSE;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &compiled);
    if (compiled != GL_TRUE)
    {
        char log[1024] = {};
        glGetShaderInfoLog(shader, sizeof(log) - 1, nullptr, log);
        char caption[256];
        std::snprintf(caption, sizeof(caption),
                      type == GL_VERTEX_SHADER ? "Mistake in VERTex shader '%s'" : "Mistake in FRAGment shader '%s'",
                      name.c_str());
        // Ending the process here would take the user's session down with it; the program
        // simply lacks this stage and draws wrongly, which the message explains.
        platform::showMessageBox(log, caption, platform::MessageIcon::Exclamation);
        glDeleteShader(shader);
        return false;
    }
    glAttachShader(programName, shader);
    if (const auto previous = shaders.find(type); previous != shaders.end())
    {
        glDetachShader(programName, previous->second);
        glDeleteShader(previous->second);
    }
    shaders[type] = shader;
    return true;
}

void ShaderProgram::link()
{
    glLinkProgram(programName);
}

void ShaderProgram::addUniform(const std::string& uniform)
{
    if (uniforms.count(uniform) == 0)
        uniforms.emplace(uniform, glGetUniformLocation(programName, uniform.c_str()));
}

unsigned int ShaderProgram::uniformLocation(const std::string& uniform) const
{
    const auto found = uniforms.find(uniform);
    return found == uniforms.end() ? static_cast<unsigned int>(-1) : static_cast<unsigned int>(found->second);
}
