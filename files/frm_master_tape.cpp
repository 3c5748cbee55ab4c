#include "files/frm_master_tape.h"

#include <algorithm>
#include <ctime>

#include "core/numbers.h"
#include "files/dialog_placement.h"
#include "files/program_files.h"
#include "forms/application.h"

namespace morva {

namespace {

constexpr const char* kBoxTitle = "MORVA Master Tape Data";
// Light green (red 128, green 255, blue 128) and light red, as 0x00BBGGRR.
constexpr forms::Color kLightGreen = 0x0080FF80;
constexpr forms::Color kLightRed = 0x008080FF;
constexpr forms::Color kPlain = 0x00FFFFFF;
// The correction takes 2 to 41 reference points.
constexpr int32_t kMinTypePoints = 2, kMaxTypePoints = 41;

std::string trimBlanks(const std::string& s) {
    const size_t b = s.find_first_not_of(' ');
    if (b == std::string::npos) return "";
    return s.substr(b, s.find_last_not_of(' ') - b + 1);
}

std::string padLeft(const std::string& s, size_t width) {
    return s.size() >= width ? s : std::string(width - s.size(), ' ') + s;
}

// A tape type "display name,points,track pitch".
struct TapeType {
    std::string display;
    int32_t points = 0;
    std::string pitch;
};

TapeType tapeTypeOf(const std::string& text) {
    TapeType t;
    const size_t a = text.find(',');
    t.display = text.substr(0, a);
    if (a == std::string::npos) return t;
    const size_t b = text.find(',', a + 1);
    t.points = toInt32(
        parseLeadingNumber(text.substr(a + 1, b == std::string::npos ? std::string::npos : b - a - 1)));
    if (b != std::string::npos) t.pitch = trimBlanks(text.substr(b + 1));
    return t;
}

}  // namespace

std::string Today_EntryDate() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[16];
    std::strftime(text, sizeof text, "%Y-%m-%d", &local);
    return text;
}

void FrmMasterTape::wire() {
    Load = [this] { Form_Load(); };
    cmd_MasterTape.on(&forms::Control::Click, [this](int i) {
        switch (i) {
            case 0:
                accept();
                break;
            case 1:
                unload();
                break;
            case 2:
                newEntry();
                break;
            case 3:
                deleteEntry();
                break;
            case 5:
                completeEntry();
                break;
            case 6:
                abandonEntry();
                break;
            default:
                break;
        }
    });
    cmb_MasterTape_Sort.Click = [this] {
        if (!filling_) refreshView(selectedEntry());
    };
    cmb_MasterTape_Type.Click = [this] {
        if (!filling_) typeChosen();
    };
    txt_MasterTape(0).KeyDown = [this](int key, int) {
        if (key == forms::key::Return) nameEntered();
    };
    txt_MasterTape(1).KeyDown = [this](int key, int) {
        if (key == forms::key::Return) checkSumEntered();
    };
    txt_MasterTape_Data.KeyDown = [this](int key, int) {
        if (key == forms::key::Return || key == forms::key::Down) storePoint();
        if (key == forms::key::Up) txt_MasterTape(1).setFocus();
    };
    lst_MasterTape_Data(0).Click = [this] {
        if (!filling_) pointPicked();
    };
}

void FrmMasterTape::Form_Load() {
    const SettingsRecord& s = main.st.settings;
    setFont(s.FontName.empty() ? fontName() : s.FontName, s.FontSize > 0 ? s.FontSize : fontSize());
    PlaceDialog(*this, main);

    file_ = Read_MasterTapeFile(main.st.ProgramFolder + kMasterTapeListFileName);
    filling_ = true;
    for (const char* choice : {"Date Descend", "Date Ascend", "Name Ascend", "Name Descend", "Original"})
        cmb_MasterTape_Sort.addItem(choice);
    cmb_MasterTape_Sort.setListIndex(4);
    const int types = std::clamp<int>(s.nType_MasterTape, 0, kMasterTapeTypeSlots);
    for (int i = 0; i < types; ++i)
        cmb_MasterTape_Type.addItem(tapeTypeOf(s.MasterTapeTypeName[i]).display);
    filling_ = false;

    // The tape current in the main window is selected.
    int current = -1;
    const std::string currentName = main.cmb_MasterTapeList.text();
    const int mainIndex = main.cmb_MasterTapeList.listIndex();
    if (mainIndex >= 0 && mainIndex < static_cast<int>(file_.entries.size()) &&
        file_.entries[mainIndex].Name == currentName)
        current = mainIndex;
    for (size_t i = 0; current < 0 && i < file_.entries.size(); ++i)
        if (file_.entries[i].Name == currentName) current = static_cast<int>(i);
    refreshView(current >= 0 ? current : 0);
    if (!file_.unreadable.empty())
        app().msgBox("Some entries of \"" + std::string(kMasterTapeListFileName) +
                         "\" could not be read and are not listed:\r\n" + file_.unreadable.front() +
                         (file_.unreadable.size() > 1
                              ? "\r\n(and " + std::to_string(file_.unreadable.size() - 1) + " more)"
                              : ""),
                     forms::msg::Exclamation, kBoxTitle);
}

void FrmMasterTape::refreshView(int selectEntry) {
    order_ = MasterTapeViewOrder(file_.entries, cmb_MasterTape_Sort.listIndex());
    const std::vector<std::string> lines = MasterTapeListLines(file_.entries);
    filling_ = true;
    lst_MasterTape.clear();
    for (size_t entry : order_)
        lst_MasterTape.addItem(lines[entry]);
    filling_ = false;
    const auto at = std::find(order_.begin(), order_.end(), static_cast<size_t>(std::max(0, selectEntry)));
    if (at != order_.end()) lst_MasterTape.setListIndex(static_cast<int>(at - order_.begin()));
    showEntryCount();
}

int FrmMasterTape::selectedEntry() const {
    const int i = lst_MasterTape.listIndex();
    if (i < 0 || i >= static_cast<int>(order_.size())) return -1;
    return static_cast<int>(order_[i]);
}

void FrmMasterTape::showEntryCount() {
    lbl_MasterTape_nEntry.setCaption(std::to_string(file_.entries.size()));
    cmd_MasterTape(3).setEnabled(!file_.entries.empty());
}

void FrmMasterTape::setPrompt(const std::string& text) {
    lbl_Message_MasterEntry.setCaption(text);
}

void FrmMasterTape::clearEntryFields() {
    filling_ = true;
    txt_MasterTape(0).setText("");
    txt_MasterTape(1).setText("");
    txt_MasterTape_Data.setText("");
    lst_MasterTape_Data(0).clear();
    lst_MasterTape_Data(1).clear();
    lbl_MasterTape_DataNo.setCaption("1");
    lbl_MasterChk(0).setCaption("");
    lbl_MasterChk(1).setCaption("");
    lbl_MasterChk(0).setBackColor(kPlain);
    lbl_MasterChk(1).setBackColor(kPlain);
    filling_ = false;
    cmd_MasterTape(5).setEnabled(false);
}

void FrmMasterTape::newEntry() {
    clearEntryFields();
    filling_ = true;
    cmb_MasterTape_Type.setListIndex(-1);
    filling_ = false;
    typePoints_ = 0;
    typePitch_.clear();
    lbl_MasterType(0).setCaption("");
    lbl_MasterType(1).setCaption("");
    for (forms::Control* c :
         {static_cast<forms::Control*>(&txt_MasterTape(0)), static_cast<forms::Control*>(&txt_MasterTape(1)),
          static_cast<forms::Control*>(&txt_MasterTape_Data)})
        c->setEnabled(false);
    pic_MasterTapeEntry.setVisible(true);
    cmb_MasterTape_Type.setFocus();
    setPrompt(" Select Master Tape Type ");
}

void FrmMasterTape::typeChosen() {
    const int i = cmb_MasterTape_Type.listIndex();
    if (i < 0 || i >= kMasterTapeTypeSlots) return;
    const TapeType t = tapeTypeOf(main.st.settings.MasterTapeTypeName[i]);
    clearEntryFields();
    if (t.points < kMinTypePoints || t.points > kMaxTypePoints) {
        app().msgBox("Master tape type [" + t.display + "] has " + std::to_string(t.points) + " points; " +
                         std::to_string(kMinTypePoints) + " to " + std::to_string(kMaxTypePoints) +
                         " points can be entered.",
                     forms::msg::Exclamation, kBoxTitle);
        typePoints_ = 0;
        return;
    }
    typePoints_ = t.points;
    typePitch_ = t.pitch;
    lbl_MasterType(0).setCaption(std::to_string(t.points) + " pnts");
    lbl_MasterType(1).setCaption("[" + t.pitch + "]");
    txt_MasterTape(0).setEnabled(true);
    txt_MasterTape(1).setEnabled(true);
    txt_MasterTape_Data.setEnabled(true);
    txt_MasterTape(0).setFocus();
    setPrompt(" Input Name / ID  ==> Hit Enter Key ");
}

void FrmMasterTape::nameEntered() {
    const std::string name = trimBlanks(txt_MasterTape(0).text());
    if (const std::optional<std::string> problem = TapeNameProblem(name, file_.entries)) {
        app().msgBox(*problem, forms::msg::Exclamation, kBoxTitle);
        txt_MasterTape(0).setFocus();
        return;
    }
    txt_MasterTape(1).setFocus();
    setPrompt(" Input Check Sum  ==> Hit Enter Key ");
}

void FrmMasterTape::checkSumEntered() {
    txt_MasterTape_Data.setFocus();
    setPrompt(" Input Data  ==> Hit Enter Key ");
    compareCheckSum();
}

void FrmMasterTape::storePoint() {
    if (typePoints_ <= 0) return;
    const std::vector<std::string>& typed = lst_MasterTape_Data(1).items();
    const int count = static_cast<int>(typed.size());
    const int n = toInt32(parseLeadingNumber(lbl_MasterTape_DataNo.caption()));
    if (n < 1 || n > count + 1 || n > typePoints_) return;  // every point of the type is in
    const std::string text = trimBlanks(txt_MasterTape_Data.text());
    const std::string shown =
        "[" + padLeft(std::to_string(n), 2) + "] " + padLeft(formatFixed(parseLeadingNumber(text), 1), 5);
    filling_ = true;
    if (n == count + 1) {
        lst_MasterTape_Data(1).addItem(text);
        lst_MasterTape_Data(0).addItem(shown);
    } else {
        lst_MasterTape_Data(1).setList(n - 1, text);
        lst_MasterTape_Data(0).setList(n - 1, shown);
    }
    // No point stays picked, so the same point can be picked again.
    lst_MasterTape_Data(0).setListIndex(-1);
    filling_ = false;
    // The next point: a stored one comes back into the box for editing, so
    // walking on with Enter keeps it instead of storing an empty box as 0.
    lbl_MasterTape_DataNo.setCaption(std::to_string(n + 1));
    const int now = lst_MasterTape_Data(1).listCount();
    txt_MasterTape_Data.setText(n < now ? lst_MasterTape_Data(1).list(n) : "");
    compareCheckSum();
}

void FrmMasterTape::pointPicked() {
    const int i = lst_MasterTape_Data(0).listIndex();
    if (i < 0 || i >= lst_MasterTape_Data(1).listCount()) return;
    lbl_MasterTape_DataNo.setCaption(std::to_string(i + 1));
    txt_MasterTape_Data.setText(lst_MasterTape_Data(1).list(i));
    txt_MasterTape_Data.setFocus();
}

void FrmMasterTape::compareCheckSum() {
    const std::vector<std::string>& typed = lst_MasterTape_Data(1).items();
    if (typed.empty()) return;
    lbl_MasterChk(1).setCaption(formatFixed(static_cast<double>(CheckSumTenths(typed)) / 10.0, 1));
    lbl_MasterChk(0).setCaption(std::to_string(typed.size()) + " / " + std::to_string(typePoints_));
    const bool complete = static_cast<int32_t>(typed.size()) == typePoints_;
    lbl_MasterChk(0).setBackColor(complete ? kLightGreen : kPlain);
    if (!complete) {
        lbl_MasterChk(1).setBackColor(kPlain);
        cmd_MasterTape(5).setEnabled(false);
        return;
    }
    const bool typedSum = !trimBlanks(txt_MasterTape(1).text()).empty();
    if (typedSum && CheckSumMatches(typed, txt_MasterTape(1).text())) {
        lbl_MasterChk(1).setBackColor(kLightGreen);
        setPrompt(" Data OK   Hit Enter Key  ==> Entry Completed ");
        cmd_MasterTape(5).setEnabled(true);
        cmd_MasterTape(5).setFocus();
    } else {
        lbl_MasterChk(1).setBackColor(kLightRed);
        setPrompt(" Check Sum NG   Please Check Master Tape Data ");
        cmd_MasterTape(5).setEnabled(false);
    }
}

void FrmMasterTape::completeEntry() {
    const std::vector<std::string>& typed = lst_MasterTape_Data(1).items();
    const std::string name = trimBlanks(txt_MasterTape(0).text());
    if (const std::optional<std::string> problem = TapeNameProblem(name, file_.entries)) {
        app().msgBox(*problem, forms::msg::Exclamation, kBoxTitle);
        txt_MasterTape(0).setFocus();
        return;
    }
    if (typePoints_ <= 0 || static_cast<int32_t>(typed.size()) != typePoints_ ||
        !CheckSumMatches(typed, txt_MasterTape(1).text()))
        return;
    MasterTapeEntry e;
    e.Name = name;
    e.EntryDate = today();
    e.TrackPitch = typePitch_;
    e.nPoint = std::to_string(typePoints_);
    e.CheckSum = formatFixed(parseLeadingNumber(txt_MasterTape(1).text()), 1);
    for (size_t i = 0; i < typed.size(); ++i) {
        if (i > 0) e.Data += ",";
        e.Data += formatFixed(parseLeadingNumber(typed[i]), 1);
    }
    file_.entries.push_back(std::move(e));
    chk_MasterTapeEdit.setValue(1);
    pic_MasterTapeEntry.setVisible(false);
    refreshView(static_cast<int>(file_.entries.size()) - 1);
    clearEntryFields();
}

void FrmMasterTape::abandonEntry() {
    pic_MasterTapeEntry.setVisible(false);
    clearEntryFields();
}

void FrmMasterTape::deleteEntry() {
    const int entry = selectedEntry();
    if (entry < 0) return;
    const forms::MsgResult answer =
        app().msgBox("Delete 1 data, OK ?",
                     forms::msg::OkCancel | forms::msg::Exclamation | forms::msg::DefaultButton2, kBoxTitle);
    if (answer != forms::MsgResult::Ok) return;
    const int line = lst_MasterTape.listIndex();
    file_.entries.erase(file_.entries.begin() + entry);
    chk_MasterTapeEdit.setValue(1);
    // The line that took the deleted one's place, or the new last line.
    order_ = MasterTapeViewOrder(file_.entries, cmb_MasterTape_Sort.listIndex());
    const int next = std::min(line, static_cast<int>(order_.size()) - 1);
    refreshView(next >= 0 ? static_cast<int>(order_[next]) : -1);
}

void FrmMasterTape::accept() {
    if (!file_.unreadable.empty()) {
        const forms::MsgResult answer = app().msgBox(
            std::to_string(file_.unreadable.size()) + " entries of \"" +
                std::string(kMasterTapeListFileName) +
                "\" could not be read and will be dropped when the file is written:\r\n" +
                file_.unreadable.front() + "\r\nWrite the file anyway ?",
            forms::msg::OkCancel | forms::msg::Exclamation | forms::msg::DefaultButton2, kBoxTitle);
        if (answer != forms::MsgResult::Ok) return;
    }
    std::string current;
    if (chk_MasterTapeEdit.value() == 0 && selectedEntry() >= 0)
        current = file_.entries[selectedEntry()].Name;  // the tape chosen here becomes current
    else
        current = main.cmb_MasterTapeList.text();  // the main window's tape stays current
    std::string error;
    if (!Write_MasterTapeFile(main.st.ProgramFolder + kMasterTapeListFileName, file_.header, file_.entries,
                              &error)) {
        app().msgBox("The master tape data could not be saved to \"" + std::string(kMasterTapeListFileName) +
                         "\".\r\n" + error,
                     forms::msg::Exclamation, kBoxTitle);
        return;
    }
    file_.unreadable.clear();
    main.st.settings.StartupTape = current;
    forms::ComboBox& list = main.cmb_MasterTapeList;
    list.clear();
    int select = -1;
    for (size_t i = 0; i < file_.entries.size(); ++i) {
        list.addItem(file_.entries[i].Name);
        if (file_.entries[i].Name == current && select < 0) select = static_cast<int>(i);
    }
    if (file_.entries.empty()) {
        // No tape left: no correction stays from a deleted one.
        main.lbl_Info(4).setCaption("");
        main.st.lin.CorWF.fill(0);
    } else {
        list.setListIndex(std::max(select, 0));  // its click reloads the correction
    }
    unload();
}

}  // namespace morva
