#include "files/work_list_file.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "files/text_file.h"

namespace morva {

namespace {

constexpr std::string_view kItemsSection = "[Work List/Test Point]";
constexpr int kItemFields = 12;

// Up to 12 comma-separated fields; the last one runs to the end of the line.
std::vector<std::string> splitItem(std::string_view line) {
    std::vector<std::string> fields;
    size_t pos = 0;
    while (static_cast<int>(fields.size()) < kItemFields - 1) {
        const size_t comma = line.find(',', pos);
        if (comma == std::string_view::npos) break;
        fields.emplace_back(line.substr(pos, comma - pos));
        pos = comma + 1;
    }
    fields.emplace_back(line.substr(pos));
    fields.resize(kItemFields);
    return fields;
}

bool isBlank(std::string_view line) {
    return std::all_of(line.begin(), line.end(), [](char c) { return c == ' ' || c == '\t'; });
}

}  // namespace

std::string WorkListFilePath(const MainState& st, std::string_view modelName) {
    std::string path = st.settings.Path_WorkList;
    path += modelName;
    path += ".WorkList";
    return path;
}

void Read_WorkListFile(FrmMain& w) {
    MainState& st = w.st;
    WorkListState& list = st.worklist;
    w.lst_WorkList.clear();
    list = WorkListState{};

    const std::optional<std::vector<std::string>> lines =
        readTextLines(WorkListFilePath(st, w.cmb_ModelNameList.text()));
    if (lines) {
        size_t i = 1;
        for (; i < lines->size(); ++i) {
            const std::string& line = (*lines)[i];
            if (line == kItemsSection) break;
            const KeyValue kv = splitKeyValue(line);
            if (kv.key == "ModelName = ")
                w.lbl_WorkList(3).setCaption(kv.value);
            else if (kv.key == "Control = ")
                w.lbl_WorkList(4).setCaption(kv.value);
            else if (kv.key == "Cable = ")
                w.lbl_WorkList(5).setCaption(kv.value);
        }
        int item = 0;
        for (++i; i < lines->size() && item <= kMaxWorkListItem; ++i) {
            if (isBlank((*lines)[i])) continue;
            const std::vector<std::string> f = splitItem((*lines)[i]);
            const auto k = static_cast<size_t>(item);
            w.lst_WorkList.addItem(f[0]);
            list.WorkList_Mode[k] = f[1];
            for (size_t t = 0; t < 5; ++t) {
                list.WorkList_TestPoint[k][t] = f[2 + t];
                list.WorkList_Extra[k][t] = f[7 + t];
            }
            ++item;
        }
    }
    if (st.settings.Dsp_WorkList == 1) w.lst_WorkList.setListIndex(-1);
}

}  // namespace morva
