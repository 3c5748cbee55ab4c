#include "driver/board_config.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <fstream>

#include "tests/bridge/daq_test_support.h"

namespace morva::sim {
namespace {

std::optional<BoardConfig> parse(const std::vector<std::string>& body, std::string* error = nullptr) {
    std::vector<std::string> lines = {"[Board] Ver.1"};
    lines.insert(lines.end(), body.begin(), body.end());
    std::string ignored;
    return parseBoardConfig(lines, error ? error : &ignored);
}

TEST(BoardConfig, KeysFollowTheProgramsKeyAndValueConvention) {
    const auto config =
        parse({"Resolution = 12", "Channels=1", "CylRot = 1500.5 rpm", "' nHead = 8", "TrackPitch = 19",
               "TrackPitch = 18", "Seed = 77", "Noise =", "ClockStart = 2.5E1"});
    ASSERT_TRUE(config);
    EXPECT_EQ(config->resolutionBits, 12);
    EXPECT_EQ(config->channels, 2) << "a key without its blanks is not recognised";
    EXPECT_DOUBLE_EQ(config->signal.cylRot, 1500.5);
    EXPECT_EQ(config->signal.nHead, 4) << "a comment line sets nothing";
    EXPECT_DOUBLE_EQ(config->signal.trackPitch, 18) << "the later line wins";
    EXPECT_EQ(config->signal.seed, 77u);
    EXPECT_DOUBLE_EQ(config->signal.noiseRms, 0);
    EXPECT_DOUBLE_EQ(config->clockStart, 25);
}

TEST(BoardConfig, TheHeaderLineIsNeverASetting) {
    const auto config = parseBoardConfig({"Resolution = 8", "Channels = 1"}, nullptr);
    ASSERT_TRUE(config);
    EXPECT_EQ(config->resolutionBits, 16);
    EXPECT_EQ(config->channels, 1);
}

TEST(BoardConfig, IntegersTakeTheNearestValueWithHalvesToEven) {
    const auto config = parse({"Resolution = 12.5", "Channels = 1.5", "FailArm = 2103.4"});
    ASSERT_TRUE(config);
    EXPECT_EQ(config->resolutionBits, 12);
    EXPECT_EQ(config->channels, 2);
    EXPECT_EQ(config->failArm, 2103);
}

TEST(BoardConfig, DeviationLinesMakeOneProfile) {
    const auto config = parse({"Deviation = 0.5, -1", "Deviation = 0, 0.25", "Deviation = 1,2"});
    ASSERT_TRUE(config);
    ASSERT_EQ(config->signal.deviation.size(), 3u);
    const VtrSignal signal(config->signal);
    EXPECT_DOUBLE_EQ(signal.deviationAt(0), 0.25);
    EXPECT_DOUBLE_EQ(signal.deviationAt(0.75), 0.5);
}

// The master tape's own deviation adds to the recorder's; the linearity
// level follows the sum.
TEST(BoardConfig, TapeDeviationAddsToTheRecordersProfile) {
    const auto config = parse({"Deviation = 0, 0", "Deviation = 1, 2", "TapeDeviation = 0.5, -0.25",
                               "TapeDeviation = 0, 0.5", "Noise = 0"});
    ASSERT_TRUE(config);
    const VtrSignal signal(config->signal);
    EXPECT_DOUBLE_EQ(signal.recorderDeviationAt(0.25), 0.5);
    EXPECT_DOUBLE_EQ(signal.tapeDeviationAt(0.25), 0.125);
    EXPECT_DOUBLE_EQ(signal.deviationAt(0.25), 0.625);
    EXPECT_DOUBLE_EQ(signal.deviationAt(0.75), 1.5 - 0.25);
    EXPECT_FALSE(parse({"TapeDeviation = 1.5, 0"}));
}

TEST(BoardConfig, TextValuesChooseTimingAndSection) {
    auto config = parse({"Timing = RealTime ", "Section = linearity"});
    ASSERT_TRUE(config);
    EXPECT_EQ(config->timing, Timing::RealTime);
    EXPECT_EQ(sectionFor(*config, 100), Section::Linearity);
    config = parse({"Timing = instant", "Section = sensitivity"});
    ASSERT_TRUE(config);
    EXPECT_EQ(config->timing, Timing::Instant);
    EXPECT_EQ(sectionFor(*config, 1e6), Section::Sensitivity);
}

TEST(BoardConfig, AutoSectionGoesBySamplesPerHeadScan) {
    const auto config = parse({"CylRot = 1800", "SectionSwitchSamples = 80"});
    ASSERT_TRUE(config);
    EXPECT_EQ(sectionFor(*config, 3000), Section::Sensitivity);  // 50 samples a scan
    EXPECT_EQ(sectionFor(*config, 4799), Section::Sensitivity);
    EXPECT_EQ(sectionFor(*config, 4800), Section::Linearity);  // 80
    EXPECT_EQ(sectionFor(*config, 25000), Section::Linearity);
}

TEST(BoardConfig, ValuesOutOfRangeAreRefusedWithTheirReason) {
    for (const char* line : {"nHead = 6", "Resolution = 0", "Resolution = 33", "Channels = 0", "CylRot = 0",
                             "TrackPitch = -1", "Noise = -2", "Deviation = 1.5, 0", "Deviation = 0.5",
                             "Timing = later", "Section = both", "MaxSamplingRate = 0", "Seed = -1"}) {
        std::string error;
        EXPECT_FALSE(parse({line}, &error)) << line;
        EXPECT_FALSE(error.empty()) << line;
    }
}

TEST(BoardConfig, AFileWrittenWithBackslashesIsFoundToo) {
    test::TempFolder folder;
    const std::string path = test::writeBoardConfig(folder.path(), "daqslash.dat", {"Resolution = 10"});
    std::string windowsStyle = path;
    const size_t last = windowsStyle.rfind('/');
    windowsStyle[last] = '\\';
    std::string error;
    const auto config = readBoardConfig(windowsStyle, &error);
    ASSERT_TRUE(config) << error;
    EXPECT_EQ(config->resolutionBits, 10);
    EXPECT_FALSE(readBoardConfig(folder.path() / "daqnone.dat", &error));
    EXPECT_NE(error.find("cannot read"), std::string::npos);
}

TEST(BoardConfig, TheDemoFileIsValidAndMeansWhatItsCommentsSay) {
    std::string error;
    const auto config = readBoardConfig(std::string(MORVA_TEST_SOURCE_DIR) + "demo/daqsim.dat", &error);
    ASSERT_TRUE(config) << error;
    EXPECT_EQ(config->resolutionBits, 16);
    EXPECT_EQ(config->timing, Timing::RealTime);
    EXPECT_EQ(config->signal.nHead, 4);
    EXPECT_EQ(config->signal.deviation.size(), 5u);
    EXPECT_TRUE(config->deviceType.empty());
    EXPECT_EQ(config->failOpen, 0);
    EXPECT_FALSE(config->noTrigger);
    EXPECT_EQ(config->runtimeError, 0u);
}

}  // namespace
}  // namespace morva::sim

namespace morva::sim {
namespace {

// A configuration that is a FIFO or a device would never end a read: it is
// refused at once with the file's name, and a rate range that is upside down
// is refused as well.
TEST(BoardConfigFile, OnlyARegularFileIsReadAndTheRateRangeMustHold) {
    test::TempFolder folder;
    const std::filesystem::path fifo = folder.path() / "daqfifo.dat";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    std::string error;
    EXPECT_FALSE(readBoardConfig(fifo, &error).has_value());
    EXPECT_EQ(error, "cannot read " + fifo.string());
    EXPECT_FALSE(readBoardConfig("/dev/zero", &error).has_value());

    EXPECT_FALSE(parseBoardConfig({"[board]", "MinSamplingRate = 600000"}, &error).has_value());
    EXPECT_EQ(error, "MinSamplingRate must be positive and at most MaxSamplingRate");
    EXPECT_FALSE(parseBoardConfig({"[board]", "MinSamplingRate = 0"}, &error).has_value());
    const auto config = parseBoardConfig({"[board]", "MinSamplingRate = 100"}, &error);
    ASSERT_TRUE(config.has_value()) << error;
    EXPECT_EQ(config->minSamplingRate, 100.0);
}

}  // namespace
}  // namespace morva::sim
