// The widget layer: Windows-style forms and controls over Qt Widgets.
//
// How a form is written (no Qt in system code):
//
//   class TForm2 : public ui::Form {
//    public:
//     TForm2() : Form("Form2") {
//       SetCaption("セットアップ");
//       SetBorderStyle(ui::bsDialog);
//       SetClientWidth(525); SetClientHeight(411);
//       BitBtn1 = new ui::BitBtn(this, "BitBtn1");    // owned by the form
//       BitBtn1->SetBounds(8, 64, 233, 25);
//       BitBtn1->SetCaption("一行目\r\n二行目");
//       BitBtn1->Font().SetSize(14);
//       BitBtn1->OnClick = [this] { BitBtn1Click(); };
//       OnShow = [this] { FormShow(); };
//     }
//     ui::BitBtn* BitBtn1;
//     void BitBtn1Click();
//     void FormShow();
//   };
//
// - Components are created with new, given their parent (the form or a
//   panel) and their designer name; the form deletes them. FindComponent
//   finds them by name, ignoring case.
// - Properties are getters and SetXxx setters in the designer's terms:
//   pixels, fonts in points with style bits, colours as TColor (0x00BBGGRR).
// - Events are std::function members. Every event the user causes runs
//   through Application::Dispatch: an exception that escapes a handler is
//   shown in the application's error box and the program goes on. When the
//   program itself sets a property or calls Click(), the handler runs at
//   once and an exception reaches the caller, as in the designer's world.
// - Check boxes and radio groups run OnClick once per change of state,
//   also a change made by the program. A button gives its ModalResult to
//   its form before OnClick runs. Esc clicks the form's Cancel button.
// - A control marked draggable can be moved with the mouse inside a form
//   marked as a drop site (dockdrag.h); it then gets no left-button events.
// - Form Width/Height are the outer size; ClientWidth/ClientHeight the
//   inside (frame metrics in form.h).
// - The first form created becomes Application's main form; closing it
//   ends Application::Run (Terminated() becomes true).
// - Tests answer boxes and dialogs and drive modal forms through
//   platform/ui/testing.h (offscreen, an unanswered box or a modal form
//   without a script aborts the test program with a message). A test that
//   plays a program's life calls ui::testing::ResetApplication first.
#pragma once

#include "platform/ui/application.h"
#include "platform/ui/components.h"
#include "platform/ui/control.h"
#include "platform/ui/controls.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/dockdrag.h"
#include "platform/ui/dragdrop.h"
#include "platform/ui/form.h"
#include "platform/ui/image.h"
#include "platform/ui/listview.h"
#include "platform/ui/types.h"
