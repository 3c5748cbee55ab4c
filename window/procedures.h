#pragma once
// The main window's procedures that one subsystem calls and another
// implements. The subsystems sit side by side (measurement, instrument I/O,
// files, views); calling each other through this table keeps their
// libraries free of cycles. app/ binds every entry when the window is built;
// an entry not bound yet does nothing and returns its type's default.

#include <functional>
#include <string>

namespace morva {

// The value panels a limit verdict covers: the sensitivity values, and the
// linearity values with their waving values.
enum LimitPanels : int { kLimitSens = 1, kLimitLin = 2, kLimitAll = kLimitSens | kLimitLin };

template <typename Sig>
class Proc;

template <typename R, typename... A>
class Proc<R(A...)> {
  public:
    void bind(std::function<R(A...)> f) { fn_ = std::move(f); }
    bool bound() const { return static_cast<bool>(fn_); }
    R operator()(A... a) const {
        if (fn_) return fn_(std::forward<A>(a)...);
        if constexpr (!std::is_void_v<R>) return R{};
    }

  private:
    std::function<R(A...)> fn_;
};

struct Procedures {
    // Views (view/).
    Proc<void()> Set_View;
    Proc<void()> Set_InfoWindow;
    // The value panels judged against the selected model's limits (view/):
    // each shown value coloured within or outside, its limit beside it;
    // cleared back to the panels' own colours. Argument: LimitPanels.
    Proc<void(int)> Show_LimitVerdict;
    Proc<void(int)> Clear_LimitVerdict;
    // Sequencer (app/).
    Proc<void()> Reset_FuncCondition;
    Proc<void()> Return_MainMenu;
    // Settings (files/): the start-up settings file rewritten now.
    Proc<void()> Write_StartupSettingFile;
    // Model selection (files/): reloads the selected model's row.
    Proc<void()> Set_ModelParameters;
    // Measurement runs (measure/): each returns when its run has ended.
    Proc<void()> Run_MsrSens;
    Proc<void()> Run_MsrLin;
    // Input monitor (io/).
    Proc<void()> Run_InputMonitor;
    Proc<void()> Draw_MoniGrid;
    // Measurement data file (files/): write and read Path_DataFile +
    // DataFileName, build the automatic name; the save and load dialogs.
    Proc<void()> Write_DataFile;
    Proc<void()> Read_DataFile;
    Proc<void()> Make_AutoFileName;
    Proc<void()> Show_DataSave;
    Proc<void()> Show_DataLoad;
    // Exports for reports (files/): the graphs of the page on screen as PNG
    // at a multiple of the window's resolution, the result's waveforms as
    // CSV; and whether the page shows a graph, the state holds a result.
    Proc<void(int)> Export_GraphPng;
    Proc<void()> Export_WaveformCsv;
    Proc<bool()> Has_GraphToExport;
    Proc<bool()> Has_WaveformsToExport;
    // Tool dialogs (files/): master-tape editor, options, version, folder chooser.
    Proc<void()> Show_MasterTapeEditor;
    Proc<void()> Show_Options;
    Proc<void()> Show_Version;
    Proc<void()> Show_FindPath;
    // A/D acquisition (io/).
    Proc<void()> Run_DaqAcquisition;
    Proc<void()> DaqdriveClearUp;
    // Serial line (io/): one framed transaction, the reply text.
    Proc<std::string(const std::string&)> RS232C_Command;
    Proc<void()> GetDriveInfo_VEKO;
    // Files (files/).
    Proc<void()> Read_WorkListFile;
    Proc<void()> Read_SpecLineFile;
    Proc<void()> Read_CorWF_MasterTape;
    Proc<void()> Show_ParameterList;
    // Graphs (measure/).
    Proc<void()> Draw_SensGrid;
    Proc<void()> Draw_LinGrid;
    Proc<void()> Draw_SensWF;
    Proc<void()> Draw_LinWF;
    Proc<void()> Draw_CorWF;
    Proc<void()> Smooth_CorWF_MasterTape;

    // Work list (app/): the connection texts of the selected item for the
    // A/D board's channel count, without entering the item's function.
    Proc<void()> Show_WorkListTexts;
};

}  // namespace morva
