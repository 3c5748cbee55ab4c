#include "files/dialog_placement.h"

#include <algorithm>

#include "forms/application.h"

namespace morva {

void PlaceDialog(forms::Form& dialog, const FrmMain& w) {
    const forms::Screen& screen = w.app().screen();
    const forms::Twips left = w.left() + (w.width() - dialog.width()) / 2;
    const forms::Twips top = w.top() + (w.height() - dialog.height()) / 2;
    dialog.move(std::clamp<forms::Twips>(left, 0, std::max<forms::Twips>(0, screen.width - dialog.width())),
                std::clamp<forms::Twips>(top, 0, std::max<forms::Twips>(0, screen.height - dialog.height())),
                dialog.width(), dialog.height());
}

void ApplyUserFont(forms::Form& dialog, const SettingsRecord& s) {
    if (s.FontName.empty() || s.FontSize <= 0) return;
    dialog.setFont(s.FontName, s.FontSize);
    for (const auto& c : dialog.controls())
        c->setFont(s.FontName, s.FontSize);
}

}  // namespace morva
