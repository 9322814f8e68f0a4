#pragma once

#include "params/ParameterTable.h"
#include "view/EditorEffect.h"

#include <string>
#include <vector>

// The effect as an editor sees it, keeping the values and the program name the editor set
// and every call the host would see, in order ("begin 5", "set 5", "end 5").
class RecordingEffect : public EditorEffect
{
public:
    float getParameter(int index) override { return values[index]; }
    void setParameter(int index, float value) override { values[index] = value; }
    void setParameterAutomated(int index, float value) override
    {
        values[index] = value;
        calls.push_back("set " + std::to_string(index));
    }
    bool beginEdit(int index) override
    {
        calls.push_back("begin " + std::to_string(index));
        return true;
    }
    bool endEdit(int index) override
    {
        calls.push_back("end " + std::to_string(index));
        return true;
    }
    std::string programName() override { return name; }
    void renameProgram(const std::string& newName) override { name = newName; }
    bool requestEditorSize(int, int) override { return true; }

    float values[kNumParameters] = {};
    std::string name = "Default";
    std::vector<std::string> calls;
};
