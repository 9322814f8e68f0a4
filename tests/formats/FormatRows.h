#pragma once

#include "ModuleUnderTest.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

// Every format this platform builds, one row each.
const std::vector<FormatRow>& formatRows();
std::string rowName(const ::testing::TestParamInfo<FormatRow>& row);
void PrintTo(const FormatRow& row, std::ostream* out);

// The cases of one group, run against every row.
class FormatCase : public ::testing::TestWithParam<FormatRow>
{
protected:
    std::unique_ptr<ModuleUnderTest> made(double sampleRate = 44100.0) const { return GetParam().make(sampleRate); }
    // The signal through a new instance made at the rate and started, in blocks of `blockSize`
    // with the changes (unprocessed, with the test failed, when none is made).
    StereoSignal renderedByNew(StereoSignal signal, std::size_t blockSize, const std::vector<BlockChange>& changes,
                               double sampleRate = 44100.0) const;
    // The row's reference file of a kind: "clap-reference.bin", "vst3-preset-reference.bin".
    std::string referenceFile(const std::string& kind) const;
};

// What a row rendered, kept by the Linux run in the folder VANTOR_REFERENCES_OUT names and
// compared by the Windows run (under Wine) with what it finds in VANTOR_REFERENCES_IN: the
// state bytes exactly, the sound within a float's last bits.
void keepOrCompareReference(const std::string& fileName, const std::vector<unsigned char>& state,
                            const StereoSignal& sound);
