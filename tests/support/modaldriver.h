// SPDX-License-Identifier: MIT
#pragma once
// Drives a modal dialog from a test: call whenModal() just before the code that runs
// exec(); act receives the modal widget once it is shown (polled every 10 ms, for up to
// 5 s) and should close it (click a button, accept, reject). A check that fails inside
// act leaves the dialog open until the test times out: close it first where you can.
//
//   whenModal([](QWidget *w) {
//     qobject_cast<QMessageBox *>(w)->button(QMessageBox::No)->click();
//   });
//   QCOMPARE(zelMessageBox(...), TzelAnswer::No);

#include <QWidget>
#include <functional>

void whenModal(std::function<void(QWidget *)> act);
