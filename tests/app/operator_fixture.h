#pragma once
// The operator's roads through the whole program: the demo program folder
// (VK-450, its work list, the master tapes) with the built bridge and the
// simulated A/D board beside it, the board switched to instant timing so
// that a measurement runs in virtual time on the deterministic loop. A
// scripted serial port stands for the recorder. The acquisition entry is
// wrapped to count acquisitions, to watch that no two boards are ever open,
// and to let the board miss its trigger at a chosen acquisition.

#include <dlfcn.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "files/text_file.h"
#include "forms/scripted_serial_port.h"
#include "io/daq_acquisition.h"
#include "tests/app/app_fixture.h"

namespace morva::test {

class OperatorRoad : public AppTest {
  protected:
    using Counter = uint32_t (*)();

    void SetUp() override {
        AppTest::SetUp();
        namespace fs = std::filesystem;
        fs::copy(fs::path(MORVA_TEST_SOURCE_DIR) / "demo", folder_, fs::copy_options::recursive);
        // The bridge and the board as installed beside the program; a copy
        // per test gives each test a board of its own.
        for (const char* lib : {"libhalvex.so", "libddrive32.so"})
            fs::copy_file(fs::path(MORVA_TEST_PROGRAM_FOLDER) / lib, folder_ / lib);
        setBoard("Timing = ", "instant");
    }

    // Sets (or adds) one line "key = value" of the board's configuration.
    void setBoard(const std::string& key, const std::string& value) {
        auto lines = readTextLines(path("daqsim.dat"));
        ASSERT_TRUE(lines.has_value());
        bool found = false;
        for (auto& line : *lines) {
            if (line.rfind(key, 0) == 0) {
                line = key + value;
                found = true;
            }
        }
        if (!found) lines->push_back(key + value);
        writeLines("daqsim.dat", *lines);
    }

    // Builds and loads the window, with the recorder on a scripted port.
    FrmMain& start() {
        FrmMain& win = build();
        auto scripted = std::make_unique<forms::ScriptedSerialPort>(loop, "/dev/ttyVTR");
        port = scripted.get();
        win.serial.ComBox = std::move(scripted);
        win.load();
        openDevices = reinterpret_cast<Counter>(
            dlsym(dlopen((folder_ / "libddrive32.so").c_str(), RTLD_NOW), "SimDaqOpenDeviceCount"));
        win.proc.Run_DaqAcquisition.bind([this, &win] {
            ++acquisitions;
            if (win.st.flags.flg_LinFinish == 1) ++finalAcquisitions;
            if (openDevices != nullptr) mostOpen = std::max(mostOpen, openDevices());
            if (beforeAcquisition) beforeAcquisition(acquisitions);
            const bool miss = missTrigger && missTrigger(acquisitions);
            if (miss) setBoard("NoTrigger = ", "1");
            Run_DaqAcquisition(win);
            if (miss) setBoard("NoTrigger = ", "0");
            if (openDevices != nullptr) mostOpen = std::max(mostOpen, openDevices());
        });
        win.st.settings.Message_SerialInput = 0;
        return win;
    }

    // The user clicks a function button now (ignored when it does not
    // accept input, as on screen).
    void click(int button) { w->cmd_StartFunction(button).userClick(); }
    // ... or when the acquisition `n` is in flight.
    void clickDuring(int n, int button) {
        actionsDuring.emplace(n, [this, button] {
            loop.at(
                loop.nowMs(), [this, button] { click(button); }, "click " + std::to_string(button));
        });
    }
    void runActionsDuringAcquisitions() {
        beforeAcquisition = [this](int n) {
            auto range = actionsDuring.equal_range(n);
            for (auto it = range.first; it != range.second; ++it)
                it->second();
        };
    }

    // Every caption a label shows, in order.
    void recordCaptions(forms::Label& label) {
        auto* seen = &captions[&label];
        label.Change = [seen, &label] { seen->push_back(label.caption()); };
    }

    // The recorder and the drive tester answer every command of the roads.
    void recorderAnswers() {
        for (const char* c : {"$MS:00:30", "$MS:00:32", "$MS:00:33", "OPL", "OSP"})
            port->answer(c, "OK");
        port->answer("QDD:1", "DD1:AB1234");
        port->answer("QDD:0", "DD0:VK-450");
        port->answer("QRV:0", "1.02");
        for (const char* c : {"$MS:B1:013A", "$MS:B1:013B", "$MS:B1:013C", "$MS:B1:0138", "$MS:B1:0137"})
            port->answer(c, "$MS:B1:0000");
    }

    // Counts the writes of the data file and the automatic names the run
    // asks for (the data file itself is another part's).
    void countSaves() {
        w->proc.Make_AutoFileName.bind([this] { ++autoNames; });
        w->proc.Write_DataFile.bind([this] { ++saves; });
    }

    std::vector<std::string> commands() const { return port->commands(); }
    int count(const std::string& command) const {
        int n = 0;
        for (const auto& c : commands())
            n += c == command;
        return n;
    }

    // A sensitivity measurement of two averaged acquisitions, so that the
    // linearity has its gains; leaves the sensitivity panel shown.
    void measureSensitivity() {
        click(0);
        w->st.msr.nLoop_MsrSens = 2;
        clickDuring(acquisitions + 1, 12);
        runActionsDuringAcquisitions();
        click(11);
        ASSERT_TRUE(w->lbl_Info(6).visible());
    }

    // On to the linearity panel; `ring` and `finals` are the model's counts.
    void enterLinearity() {
        click(19);
        ASSERT_TRUE(w->pic_CmdMenu(2).visible());
        ring = w->st.msr.nLoop_LinRealTime;
        finals = w->st.msr.nLoop_LinFinalData;
        base = acquisitions;
    }

    forms::ScriptedSerialPort* port = nullptr;
    Counter openDevices = nullptr;
    uint32_t mostOpen = 0;
    int acquisitions = 0;
    int finalAcquisitions = 0;  // taken while the linearity run finishes
    int saves = 0;
    int autoNames = 0;
    // The board misses its trigger at the acquisitions this picks.
    std::function<bool(int)> missTrigger;
    std::function<void(int)> beforeAcquisition;
    int ring = 0, finals = 0, base = 0;
    std::multimap<int, std::function<void()>> actionsDuring;
    std::map<forms::Label*, std::vector<std::string>> captions;
};

}  // namespace morva::test
