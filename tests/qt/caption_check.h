#pragma once
// What a person reads in a window, measured on its real widgets: every
// visible caption (labels, buttons, check and option buttons, frame
// titles), every item of a combo box, every line of a text box and of a
// list fits its control at the control's font; every visible control lies
// inside the window and inside the control that holds it; no two visible
// controls of one container overlap; the window lies on the screen.

#include <initializer_list>
#include <string>

#include "forms/form.h"
#include "qt/qt_form_view.h"

// One line per fault, empty when the window reads whole. The text of the
// `scrolling` controls (lists of free length, like a parameter dump) is
// not measured, only their place.
std::string CaptionFaults(qtview::QtFormView& view, forms::Form& form,
                          std::initializer_list<const forms::Control*> scrolling = {});
