#include "files/graph_export.h"

#include "files/export_file.h"

namespace morva {

namespace {

constexpr ExportTexts kTexts{"Export Graph (PNG)", "ｸﾞﾗﾌ画像出力(PNG)", "File name of the graph image ?",
                             "ｸﾞﾗﾌ画像のﾌｧｲﾙ名 ?"};

void addIfVisible(std::vector<const forms::PictureBox*>& graphs, const forms::PictureBox& g) {
    if (g.visible()) graphs.push_back(&g);
}

}  // namespace

std::vector<const forms::PictureBox*> VisibleGraphs(const FrmMain& w) {
    std::vector<const forms::PictureBox*> graphs;
    if (w.pic_Page(1).visible()) {
        addIfVisible(graphs, w.pic_Graph_Sens);
        addIfVisible(graphs, w.pic_Graph_SensDiv);
    } else if (w.pic_Page(2).visible()) {
        for (int c = 0; c <= 1; ++c) {
            addIfVisible(graphs, w.pic_Graph_Lin(c));
            addIfVisible(graphs, w.pic_Graph_Lin_mlt(c));
        }
    } else if (w.pic_Page(3).visible()) {
        addIfVisible(graphs, w.pic_Graph_Moni);
    }
    return graphs;
}

bool Has_GraphToExport(const FrmMain& w) {
    return !VisibleGraphs(w).empty();
}

void Export_GraphPng(FrmMain& w, int scale) {
    if (RefuseExportDuringRun(w)) return;
    const bool japanese = InJapanese(w);
    if (VisibleGraphs(w).empty()) {
        w.msgBox(japanese ? "このﾍﾟｰｼﾞには出力するｸﾞﾗﾌがありません。" : "This page shows no graph to export.",
                 forms::msg::Exclamation);
        return;
    }
    const auto& render = w.app().renderPicturesPng;
    if (!render) {
        w.msgBox(japanese ? "この環境ではｸﾞﾗﾌ画像を作成できません。"
                          : "Graph images cannot be made here: there is no display.",
                 forms::msg::Exclamation);
        return;
    }
    const std::optional<std::string> path = AskExportPath(w, ".png", kTexts);
    // The input box let events run: the page is drawn as it is now.
    if (!path || RefuseExportDuringRun(w)) return;
    const std::optional<std::string> png = render(VisibleGraphs(w), scale);
    if (!png) {
        w.msgBox(japanese ? "ｸﾞﾗﾌ画像を作成できませんでした。" : "The graph image could not be drawn.",
                 forms::msg::Exclamation);
        return;
    }
    WriteExportFile(w, *path, *png);
}

}  // namespace morva
