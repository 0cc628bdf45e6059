// SPDX-License-Identifier: MIT
#include "controls/zelspinbutton.h"
#include "controls/zelspinedit.h"
#include "controls/zeltimerspeedbutton.h"

#include <QAction>
#include <QClipboard>
#include <QMenu>
#include <QMetaProperty>
#include <QtTest>
#include <memory>

namespace {
// Sets the process's default locale for one test and restores the previous one.
class LocaleScope {
public:
  explicit LocaleScope(const QString &name) : m_saved(QLocale()) {
    QLocale::setDefault(QLocale(name));
  }
  ~LocaleScope() { QLocale::setDefault(m_saved); }

private:
  QLocale m_saved;
};

// A spin edit whose steps are counted, to see that the button and the keys call overrides.
class CountingSpinEdit : public TzelSpinEdit {
public:
  int ups = 0;
  int downs = 0;
  void UpClick() override { ++ups; }
  void DownClick() override { ++downs; }
  bool IsValidChar(QChar key) const override {
    return key != u'7' && TzelSpinEdit::IsValidChar(key);
  }
};

QString text(const TzelSpinEdit &edit) {
  return edit.text();
}
} // namespace

class TestZelSpinEdit : public QObject {
  Q_OBJECT
private slots:
  void defaults_data() {
    QTest::addColumn<QString>("property");
    QTest::addColumn<QVariant>("value");
    QTest::newRow("AutoSelect") << "AutoSelect" << QVariant(true);
    QTest::newRow("AutoSize") << "AutoSize" << QVariant(true);
    QTest::newRow("EditorEnabled") << "EditorEnabled" << QVariant(true);
    QTest::newRow("Increment") << "Increment" << QVariant(1.0);
    QTest::newRow("MinValue") << "MinValue" << QVariant(0.0);
    QTest::newRow("MaxValue") << "MaxValue" << QVariant(0.0);
    QTest::newRow("Value") << "Value" << QVariant(0.0);
    QTest::newRow("MaxLength") << "MaxLength" << QVariant(0);
    QTest::newRow("ReadOnly") << "ReadOnly" << QVariant(false);
    QTest::newRow("TabStop") << "TabStop" << QVariant(true);
  }
  // Creation values, and the stored defaults declared for them agree.
  void defaults() {
    QFETCH(QString, property);
    QFETCH(QVariant, value);
    TzelSpinEdit edit;
    const QByteArray name = property.toLatin1();
    QCOMPARE(edit.property(name), value);
    const QMetaObject *meta = edit.metaObject();
    const int info = meta->indexOfClassInfo("zel.default." + name);
    QVERIFY(info >= 0);
    const QString declared = QString::fromLatin1(meta->classInfo(info).value());
    QCOMPARE(declared, value.typeId() == QMetaType::Bool ? (value.toBool() ? "True" : "False")
                                                         : value.toString());
  }

  void creation() {
    TzelSpinEdit edit;
    QCOMPARE(text(edit), QStringLiteral("0"));
    QCOMPARE(edit.Color(), edit.palette().color(QPalette::Base));
    TzelSpinButton *button = edit.Button();
    QVERIFY(button && !button->isHidden());
    QCOMPARE(button->width(), 15);
    QCOMPARE(button->FocusControl(), &edit);
  }

  void clamping_data() {
    QTest::addColumn<double>("min");
    QTest::addColumn<double>("max");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("shown");
    QTest::newRow("no limits, large") << 0.0 << 0.0 << 12345.678 << "12345.68";
    QTest::newRow("no limits, negative") << 0.0 << 0.0 << -1.0 << "-1.00";
    QTest::newRow("equal limits accept any") << 3.0 << 3.0 << 99.0 << "99.00";
    QTest::newRow("above max") << 0.1 << 5.0 << 7.0 << "5.00";
    QTest::newRow("below min") << 0.1 << 5.0 << -1.0 << "0.10";
    QTest::newRow("inside") << 0.1 << 5.0 << 2.5 << "2.50";
    QTest::newRow("at max") << 0.1 << 5.0 << 5.0 << "5.00";
    QTest::newRow("rounded to two places") << 0.0 << 0.0 << 0.125 << "0.13";
    QTest::newRow("reversed limits: min wins below it") << 5.0 << 1.0 << 3.0 << "5.00";
  }
  void clamping() {
    QFETCH(double, min);
    QFETCH(double, max);
    QFETCH(double, value);
    QFETCH(QString, shown);
    LocaleScope c(QStringLiteral("C"));
    TzelSpinEdit edit;
    edit.SetMinValue(min);
    edit.SetMaxValue(max);
    edit.SetValue(value);
    QCOMPARE(text(edit), shown);
  }

  void textInTheLocale() {
    LocaleScope german(QStringLiteral("de_DE"));
    TzelSpinEdit edit;
    edit.SetValue(1234.5);
    QCOMPARE(text(edit), QStringLiteral("1234,50"));
    QCOMPARE(edit.Value(), 1234.5);
  }

  void valueOfText_data() {
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<double>("value");
    QTest::newRow("number") << "C"
                            << "12.5" << 12.5;
    QTest::newRow("spaces around") << "C"
                                   << " 3 " << 3.0;
    QTest::newRow("exponent") << "C"
                              << "1e2" << 100.0;
    QTest::newRow("not a number") << "C"
                                  << "abc" << 0.25;
    QTest::newRow("empty") << "C"
                           << "" << 0.25;
    QTest::newRow("sign only") << "C"
                               << "-" << 0.25;
    QTest::newRow("group separator") << "C"
                                     << "1,000" << 0.25;
    QTest::newRow("not finite") << "C"
                                << "inf" << 0.25;
    QTest::newRow("comma locale") << "de_DE"
                                  << "2,5" << 2.5;
    QTest::newRow("point in a comma locale") << "de_DE"
                                             << "2.5" << 0.25;
  }
  void valueOfText() {
    QFETCH(QString, locale);
    QFETCH(QString, typed);
    QFETCH(double, value);
    LocaleScope scope(locale);
    TzelSpinEdit edit;
    edit.SetMinValue(0.25);
    edit.SetMaxValue(9);
    edit.setText(typed);
    QCOMPARE(edit.Value(), value);
  }

  void isValidChar_data() {
    QTest::addColumn<QString>("locale");
    QTest::addColumn<bool>("editorEnabled");
    QTest::addColumn<QChar>("key");
    QTest::addColumn<bool>("valid");
    for (bool on : {true, false}) {
      const char *e = on ? "editor" : "no editor";
      QTest::addRow("%s: digit", e) << "C" << on << QChar(u'7') << on;
      QTest::addRow("%s: plus", e) << "C" << on << QChar(u'+') << on;
      QTest::addRow("%s: minus", e) << "C" << on << QChar(u'-') << on;
      QTest::addRow("%s: point", e) << "C" << on << QChar(u'.') << on;
      QTest::addRow("%s: comma in a point locale", e) << "C" << on << QChar(u',') << false;
      QTest::addRow("%s: comma locale", e) << "de_DE" << on << QChar(u',') << on;
      QTest::addRow("%s: point in a comma locale", e) << "de_DE" << on << QChar(u'.') << false;
      QTest::addRow("%s: letter", e) << "C" << on << QChar(u'a') << false;
      QTest::addRow("%s: space", e) << "C" << on << QChar(u' ') << false;
      QTest::addRow("%s: non-ASCII digit", e) << "C" << on << QChar(0x0663) << false;
      QTest::addRow("%s: Enter", e) << "C" << on << QChar(u'\r') << false;
      QTest::addRow("%s: Backspace", e) << "C" << on << QChar(u'\b') << on;
      QTest::addRow("%s: Ctrl+C", e) << "C" << on << QChar(0x03) << true;
      QTest::addRow("%s: Escape", e) << "C" << on << QChar(0x1b) << true;
    }
  }
  void isValidChar() {
    QFETCH(QString, locale);
    QFETCH(bool, editorEnabled);
    QFETCH(QChar, key);
    QFETCH(bool, valid);
    LocaleScope scope(locale);
    TzelSpinEdit edit;
    edit.SetEditorEnabled(editorEnabled);
    QCOMPARE(edit.IsValidChar(key), valid);
  }

  void typing_data() {
    QTest::addColumn<QString>("locale");
    QTest::addColumn<bool>("editorEnabled");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("shown");
    QTest::newRow("point locale") << "C" << true << "-1a.5x,2"
                                  << "-1.52";
    QTest::newRow("comma locale") << "de_DE" << true << "+3.,25"
                                  << "+3,25";
    QTest::newRow("no editor") << "C" << false << "12"
                               << "";
  }
  void typing() {
    QFETCH(QString, locale);
    QFETCH(bool, editorEnabled);
    QFETCH(QString, keys);
    QFETCH(QString, shown);
    LocaleScope scope(locale);
    TzelSpinEdit edit;
    edit.SetEditorEnabled(editorEnabled);
    edit.clear();
    QTest::keyClicks(&edit, keys);
    QCOMPARE(text(edit), shown);
  }

  void editingKeysWithoutEditor() {
    TzelSpinEdit edit;
    edit.setText(QStringLiteral("45"));
    edit.SetEditorEnabled(false);
    edit.setCursorPosition(1);
    QTest::keyClick(&edit, Qt::Key_Backspace);
    QTest::keyClick(&edit, Qt::Key_Delete);
    QCOMPARE(text(edit), QStringLiteral("45"));
    QTest::keyClick(&edit, Qt::Key_Return);
    QCOMPARE(text(edit), QStringLiteral("45"));
    QTest::keyClick(&edit, Qt::Key_Up); // stepping still works
    QCOMPARE(text(edit), QStringLiteral("46.00"));
  }

  void maxLengthLimitsTypingOnly() {
    LocaleScope c(QStringLiteral("C"));
    TzelSpinEdit edit;
    edit.SetMaxLength(3);
    edit.clear();
    QTest::keyClicks(&edit, QStringLiteral("12345"));
    QCOMPARE(text(edit), QStringLiteral("123"));
    edit.SetValue(12345);
    QCOMPARE(text(edit), QStringLiteral("12345.00"));
  }

  void pasteAndCut_data() {
    QTest::addColumn<bool>("editorEnabled");
    QTest::addColumn<bool>("readOnly");
    QTest::addColumn<bool>("allowed");
    QTest::newRow("editable") << true << false << true;
    QTest::newRow("no editor") << false << false << false;
    QTest::newRow("read-only") << true << true << false;
    QTest::newRow("both") << false << true << false;
  }
  void pasteAndCut() {
    QFETCH(bool, editorEnabled);
    QFETCH(bool, readOnly);
    QFETCH(bool, allowed);
    TzelSpinEdit edit;
    edit.SetEditorEnabled(editorEnabled);
    edit.SetReadOnly(readOnly);
    QGuiApplication::clipboard()->setText(QStringLiteral("42"));
    edit.setText(QStringLiteral("7"));
    edit.selectAll();
    QTest::keySequence(&edit, QKeySequence::Paste);
    QCOMPARE(text(edit), allowed ? QStringLiteral("42") : QStringLiteral("7"));
    edit.selectAll();
    QTest::keySequence(&edit, QKeySequence::Cut);
    QCOMPARE(text(edit).isEmpty(), allowed);
    edit.setText(QStringLiteral("7"));
    edit.selectAll();
    std::unique_ptr<QMenu> menu(edit.createSpinContextMenu());
    int offered = 0; // enabled paste and cut entries
    for (QAction *action : menu->actions()) {
      const bool changing = action->text().startsWith(QLatin1String("&Paste")) ||
                            action->text().startsWith(QLatin1String("Cu&t"));
      offered += changing && action->isEnabled();
    }
    QCOMPARE(offered, allowed ? 2 : 0);
  }

  void steppingByKeysAndButton() {
    LocaleScope c(QStringLiteral("C"));
    TzelSpinEdit edit;
    edit.show();
    edit.SetIncrement(0.1);
    edit.SetMinValue(0);
    edit.SetMaxValue(0.25);
    QTest::keyClick(&edit, Qt::Key_Up);
    QCOMPARE(text(edit), QStringLiteral("0.10"));
    QTest::mouseClick(edit.Button()->upButton(), Qt::LeftButton);
    QTest::mouseClick(edit.Button()->upButton(), Qt::LeftButton);
    QCOMPARE(text(edit), QStringLiteral("0.25"));
    QTest::mouseClick(edit.Button()->downButton(), Qt::LeftButton);
    QCOMPARE(text(edit), QStringLiteral("0.15"));
    QTest::keyClick(&edit, Qt::Key_Down);
    QTest::keyClick(&edit, Qt::Key_Down);
    QCOMPARE(text(edit), QStringLiteral("0.00"));
    edit.SetReadOnly(true);
    QTest::keyClick(&edit, Qt::Key_Up);
    QTest::mouseClick(edit.Button()->upButton(), Qt::LeftButton);
    QCOMPARE(text(edit), QStringLiteral("0.00"));
  }

  void overridesAreCalled() {
    CountingSpinEdit edit;
    edit.show();
    QTest::mouseClick(edit.Button()->upButton(), Qt::LeftButton);
    QTest::keyClick(&edit, Qt::Key_Up);
    QTest::mouseClick(edit.Button()->downButton(), Qt::LeftButton);
    QCOMPARE(edit.ups, 2);
    QCOMPARE(edit.downs, 1);
    edit.clear();
    QTest::keyClicks(&edit, QStringLiteral("178"));
    QCOMPARE(text(edit), QStringLiteral("18"));
  }

  void focusSelectsAndClamps() {
    LocaleScope c(QStringLiteral("C"));
    QWidget window;
    auto *other = new QLineEdit(&window);
    auto *edit = new TzelSpinEdit(&window);
    edit->move(0, 40);
    edit->SetMinValue(0.1);
    edit->SetMaxValue(5);
    window.show();
    window.activateWindow();
    QTRY_VERIFY(window.isActiveWindow());
    other->setFocus();
    edit->setText(QStringLiteral("9"));
    edit->setFocus(Qt::OtherFocusReason);
    QTRY_VERIFY(edit->hasFocus());
    QCOMPARE(edit->selectedText(), QStringLiteral("9"));
    other->setFocus();
    QTRY_VERIFY(other->hasFocus());
    QCOMPARE(edit->text(), QStringLiteral("5.00"));
    // Within the limits (or not a number) the text is left as typed.
    for (const QString &typed : {QStringLiteral("3"), QStringLiteral("x")}) {
      edit->setFocus();
      edit->setText(typed);
      other->setFocus();
      QTRY_VERIFY(other->hasFocus());
      QCOMPARE(edit->text(), typed);
    }
    edit->SetAutoSelect(false);
    edit->setText(QStringLiteral("4"));
    edit->setCursorPosition(0);
    edit->setFocus(Qt::OtherFocusReason);
    QTRY_VERIFY(edit->hasFocus());
    QVERIFY(!edit->hasSelectedText());
  }

  void geometry() {
    TzelSpinEdit edit;
    edit.show();
    const int fontHeight = QFontMetrics(edit.font()).height();
    const int systemHeight = QFontMetrics(QApplication::font()).height();
    const int minimum = fontHeight + std::min(systemHeight, fontHeight) / 4 + 4 + 2;
    QCOMPARE(edit.minimumEditHeight(), minimum);
    edit.resize(120, 5);
    QCOMPARE(edit.height(), minimum);
    edit.resize(120, 40);
    QTRY_COMPARE(edit.Button()->height() + 2 * edit.Button()->y(), 40);
    QCOMPARE(edit.Button()->width(), 15);
    QCOMPARE(edit.Button()->geometry().right() + edit.Button()->y(), 119);
    QCOMPARE(edit.textMargins().right(), 17);
    QFont big = edit.font();
    big.setPointSize(big.pointSize() * 2);
    edit.setFont(big);
    QVERIFY(edit.minimumEditHeight() > minimum);
    QCOMPARE(edit.minimumHeight(), edit.minimumEditHeight());
  }
};

QTEST_MAIN(TestZelSpinEdit)
#include "tst_zelspinedit.moc"
