#pragma once
// The main window's procedures that one subsystem calls and another
// implements. The subsystems sit side by side (measurement, instrument I/O,
// files, views); calling each other through this table keeps their
// libraries free of cycles. app/ binds every entry when the window is built;
// an entry not bound yet does nothing and returns its type's default.

#include <functional>
#include <string>

namespace morva {

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
    // Sequencer (app/).
    Proc<void()> Reset_FuncCondition;
    Proc<void()> Return_MainMenu;
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
};

}  // namespace morva
