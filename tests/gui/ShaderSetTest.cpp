// The application's shader set over the generated skin, with the editor's own loader.
#include <gtest/gtest.h>

#include "DawWindow.h"
#include "DisplayEditor.h"

#include <cstdlib>
#include <string>
#include <vector>

namespace
{

using Program = ShaderSet::Program;

std::string skinFolder()
{
    const char* folder = std::getenv("VANTOR_SKIN_DIR");
    return folder != nullptr ? std::string(folder) + "/" : std::string();
}

}  // namespace

TEST(ShaderSet, SevenProgramsLinkWithTheirNamesAndUniforms)
{
    ASSERT_FALSE(skinFolder().empty());
    DawWindow daw(512, 624);
    ASSERT_TRUE(daw.valid());
    bool checked = false;
    DisplayEditor editor(
        skinFolder(),
        [&](GuiResources&, ShaderSet& shaders)
        {
            if (checked)
                return;
            checked = true;
            const std::vector<std::pair<Program, std::string>> expected = {
                {Program::LineDraw, "Line Draw"},
                {Program::DisplayPanel, "Display panel"},
                {Program::StereoWidthLine, "Stereo Width line"},
                {Program::CurveDisplay, "Curve Display"},
                {Program::Texture2D, "Texture 2D"},
                {Program::LineEqualiser, "Line Equaliser"},
                {Program::FftBack, "FFT back"}};
            for (const auto& [which, name] : expected)
            {
                ShaderProgram& program = shaders.program(which);
                EXPECT_EQ(program.displayName(), name);
                GLint linked = GL_FALSE;
                glGetProgramiv(program.program(), GL_LINK_STATUS, &linked);
                EXPECT_EQ(linked, GL_TRUE) << name;
            }
            for (const char* uniform : {"stereo", "clipped", "ticker", "zed"})
                EXPECT_NE(static_cast<int>(shaders.program(Program::DisplayPanel).uniformLocation(uniform)), -1)
                    << uniform;
            EXPECT_NE(static_cast<int>(shaders.program(Program::StereoWidthLine).uniformLocation("width")), -1);
            EXPECT_NE(static_cast<int>(shaders.program(Program::CurveDisplay).uniformLocation("parShape")), -1);
            EXPECT_NE(static_cast<int>(shaders.program(Program::FftBack).uniformLocation("texture0")), -1);
            // Only added names resolve, even when the program has the uniform.
            EXPECT_EQ(static_cast<int>(shaders.program(Program::Texture2D).uniformLocation("resolution")), -1);

            GLfloat resolution[2] = {};
            glGetUniformfv(shaders.program(Program::LineDraw).program(),
                           static_cast<GLint>(shaders.program(Program::LineDraw).uniformLocation("resolution")),
                           resolution);
            EXPECT_EQ(resolution[0], 512.0f);
            EXPECT_EQ(resolution[1], 624.0f);
            GLfloat zed = -1.0f;
            glGetUniformfv(shaders.program(Program::DisplayPanel).program(),
                           static_cast<GLint>(shaders.program(Program::DisplayPanel).uniformLocation("zed")), &zed);
            EXPECT_EQ(zed, 0.0f);
        });
    testing::internal::CaptureStderr();
    ASSERT_TRUE(editor.open(daw.handle()));
    editor.renderFrame();
    const std::string messages = testing::internal::GetCapturedStderr();
    EXPECT_TRUE(checked);
    EXPECT_EQ(messages.find("Mistake"), std::string::npos) << messages;
    editor.close();
    EXPECT_EQ(editor.shaders, nullptr);
}
