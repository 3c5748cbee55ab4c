#include "sim/sim_options.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace morva::sim {
namespace {

OptionsResult parse(std::vector<std::string> arguments) {
    return parseOptions(arguments);
}

TEST(SimOptions, DefaultsWithoutArguments) {
    const auto result = parse({});
    ASSERT_TRUE(result.options);
    const SimOptions& options = *result.options;
    EXPECT_TRUE(options.linkPath.empty());
    EXPECT_EQ(options.fault, FaultMode::None);
    EXPECT_EQ(options.replyDelayMs, 10);
    EXPECT_EQ(options.pieceGapMs, 40);
    EXPECT_EQ(options.identity.serial, DriveIdentity{}.serial);
    EXPECT_FALSE(options.help);
}

TEST(SimOptions, TakesValuesAsTheNextArgumentOrAfterEquals) {
    const auto result =
        parse({"--link", "/tmp/x/vtr-port", "--serial=AB1234", "--model", "M-1", "--version=V 1.0", "--seed",
               "0x10", "--fault=pieces", "--reply-delay-ms", "250", "--piece-gap-ms=5", "--counter",
               "Eject=0x8000", "--counter=TensOn=100000", "--verbose"});
    ASSERT_TRUE(result.options) << result.error;
    const SimOptions& options = *result.options;
    EXPECT_EQ(options.linkPath, "/tmp/x/vtr-port");
    EXPECT_EQ(options.identity.serial, "AB1234");
    EXPECT_EQ(options.identity.model, "M-1");
    EXPECT_EQ(options.identity.softwareVersion, "V 1.0");
    EXPECT_EQ(options.seed, 16u);
    EXPECT_EQ(options.fault, FaultMode::Pieces);
    EXPECT_EQ(options.replyDelayMs, 250);
    EXPECT_EQ(options.pieceGapMs, 5);
    EXPECT_EQ(options.counters.ejectCount, 0x8000);
    EXPECT_EQ(options.counters.tensionOnMinutes, 100000u);
    EXPECT_TRUE(options.verbose);
}

TEST(SimOptions, RefusesBadCommandLinesWithAReason) {
    const std::vector<std::vector<std::string>> bad = {
        {"--bogus"},
        {"--link"},
        {"--link="},
        {"--seed", "-1"},
        {"--seed", "4294967296"},
        {"--seed", "12abc"},
        {"--fault", "loud"},
        {"--reply-delay-ms", "60001"},
        {"--piece-gap-ms", "0x"},
        {"--serial", "AB\x03"},
        {"--model", std::string(33, 'M')},
        {"--counter", "Loading=65536"},
        {"--counter", "Loading"},
        {"--counter", "Mileage=1"},
        {"--counter", "Operation=4294967296"},
    };
    for (const auto& arguments : bad) {
        const auto result = parse(arguments);
        EXPECT_FALSE(result.options) << arguments[0];
        EXPECT_FALSE(result.error.empty()) << arguments[0];
    }
}

TEST(SimOptions, NumbersAreWholeDecimalOrHexadecimal) {
    EXPECT_EQ(parseOptionNumber("0", 10), 0u);
    EXPECT_EQ(parseOptionNumber("10", 10), 10u);
    EXPECT_EQ(parseOptionNumber("0xFfFf", 0xFFFF), 0xFFFFu);
    EXPECT_FALSE(parseOptionNumber("11", 10));
    EXPECT_FALSE(parseOptionNumber("", 10));
    EXPECT_FALSE(parseOptionNumber(" 1", 10));
    EXPECT_FALSE(parseOptionNumber("+1", 10));
    EXPECT_FALSE(parseOptionNumber("1.5", 10));
    EXPECT_FALSE(parseOptionNumber("99999999999999999999", 0xFFFFFFFF));
}

TEST(ControlLine, ReadsEachControlCommand) {
    auto command = parseControlLine("fault garbage\r\n");
    EXPECT_EQ(command.kind, ControlCommand::Kind::Fault);
    EXPECT_EQ(command.fault, FaultMode::Garbage);
    command = parseControlLine("  delay   800 ");
    EXPECT_EQ(command.kind, ControlCommand::Kind::Delay);
    EXPECT_EQ(command.delayMs, 800);
    EXPECT_EQ(parseControlLine("status").kind, ControlCommand::Kind::Status);
    EXPECT_EQ(parseControlLine("quit\r").kind, ControlCommand::Kind::Quit);
    EXPECT_EQ(parseControlLine(" \t\r").kind, ControlCommand::Kind::Nothing);
}

TEST(ControlLine, ExplainsWhatItCannotRead) {
    for (const char* line :
         {"fault", "fault loud", "delay", "delay 60001", "delay x", "status now", "reboot"}) {
        const auto command = parseControlLine(line);
        EXPECT_EQ(command.kind, ControlCommand::Kind::Invalid) << line;
        EXPECT_FALSE(command.error.empty()) << line;
    }
}

}  // namespace
}  // namespace morva::sim
