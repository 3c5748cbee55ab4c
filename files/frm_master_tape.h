#pragma once
// frmMasterTape: the master-tape editor. The operator types a new tape's
// certified deviations from its data sheet, checked against the sheet's
// check sum; deletes entries; and chooses the current tape. The entries
// are held as data (the list box only shows them); accepting rewrites
// "MORVA MasterTape.dat" from them, refills the main window's tape list and
// reloads the current tape's correction.

#include <functional>
#include <string>
#include <vector>

#include "files/master_tape_file.h"
#include "forms/control_array.h"
#include "forms/controls.h"
#include "forms/form.h"
#include "forms/lists.h"
#include "forms/picture.h"
#include "window/frm_main.h"

namespace morva {

class FrmMasterTape : public forms::Form {
  public:
    explicit FrmMasterTape(FrmMain& main);

    FrmMain& main;

    forms::ListBox& lst_MasterTape;
    forms::ComboBox& cmb_MasterTape_Sort;
    forms::Label& lbl_MasterTape_nEntry;
    forms::CheckBox& chk_MasterTapeEdit;
    forms::ControlArray<forms::Label> lbl_MasterTapeTitle{"lbl_MasterTapeTitle"};  // 0..2 list, sort, entries
    // 0 accept and close, 1 close without writing, 2 new entry, 3 delete,
    // 5 complete the entry, 6 abandon the entry.
    forms::ControlArray<forms::CommandButton> cmd_MasterTape{"cmd_MasterTape"};

    // The entry panel.
    forms::PictureBox& pic_MasterTapeEntry;
    forms::ComboBox& cmb_MasterTape_Type;
    forms::ControlArray<forms::Label> lbl_MasterType{"lbl_MasterType"};    // 0 point count, 1 track pitch
    forms::ControlArray<forms::TextBox> txt_MasterTape{"txt_MasterTape"};  // 0 name, 1 check sum
    forms::TextBox& txt_MasterTape_Data;
    forms::Label& lbl_MasterTape_DataNo;
    // 0: shown lines "[nn]  v.v"; 1: the values exactly as typed.
    forms::ControlArray<forms::ListBox> lst_MasterTape_Data{"lst_MasterTape_Data"};
    forms::ControlArray<forms::Label> lbl_MasterChk{"lbl_MasterChk"};  // 0 count check, 1 computed check sum
    forms::Label& lbl_Message_MasterEntry;
    forms::ControlArray<forms::Label> lbl_EntryTitle{
        "lbl_EntryTitle"};  // 0..5 type, name, sum, point, count, sum

    // Today's date as YYYY-MM-DD, for a completed entry (the local date
    // unless a test sets another clock).
    std::function<std::string()> today;

    // The entries in file order, and which of them each list line shows.
    const std::vector<MasterTapeEntry>& entries() const { return file_.entries; }
    const std::vector<size_t>& viewOrder() const { return order_; }

  private:
    void layout();
    void setCaptions(bool japanese);
    void wire();

    void Form_Load();
    void refreshView(int selectEntry);
    int selectedEntry() const;
    void showEntryCount();

    void newEntry();
    void typeChosen();
    void clearEntryFields();
    void nameEntered();
    void checkSumEntered();
    void storePoint();
    void pointPicked();
    void compareCheckSum();
    void completeEntry();
    void abandonEntry();
    void deleteEntry();
    void accept();
    void setPrompt(const std::string& text);

    MasterTapeFile file_;
    std::vector<size_t> order_;
    bool filling_ = false;
    int32_t typePoints_ = 0;
    std::string typePitch_;
};

// The date of today in the local time zone, YYYY-MM-DD.
std::string Today_EntryDate();

}  // namespace morva
