// SPDX-License-Identifier: MIT
#include "model/storedform.h"
#include "model/zelregistry.h"
#include "model/zeltypes.h"
#include "support/errorof.h"

#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

// Small components standing for the library's: a settings font (plain QObject), a settings
// page (a component), a leaf item and a container with a base class.

static QStringList loadLog;

class TstFont : public QObject {
  Q_OBJECT
public:
  enum TColor { clBlack, clRed, clNavy };
  Q_ENUM(TColor)
  enum TFontStyle { fsBold = 1, fsItalic = 2, fsUnderline = 4 };
  Q_DECLARE_FLAGS(TFontStyles, TFontStyle)
  Q_FLAG(TFontStyles)
private:
  Q_PROPERTY(TColor Color MEMBER m_color)
  Q_PROPERTY(int Height MEMBER m_height)
  Q_PROPERTY(QString Name MEMBER m_name)
  Q_PROPERTY(TFontStyles Style READ Style WRITE SetStyle)
public:
  using QObject::QObject;
  TFontStyles Style() const { return m_style; }
  void SetStyle(TFontStyles style) { m_style = style; }
  TColor m_color = clBlack;
  int m_height = -13;
  QString m_name = QStringLiteral("Arial");
  TFontStyles m_style;
};
Q_DECLARE_OPERATORS_FOR_FLAGS(TstFont::TFontStyles)

class TstPage : public TzelComponent {
  Q_OBJECT
  Q_PROPERTY(QString TitleCaption MEMBER m_caption)
  Q_PROPERTY(TstFont *TitleFont READ TitleFont)
  Q_PROPERTY(double MarginTop MEMBER m_marginTop)
  Q_PROPERTY(double PageHeight MEMBER m_pageHeight)
  Q_PROPERTY(QChar Separator MEMBER m_separator)
  Q_CLASSINFO("zel.default.MarginTop", "0.3")
public:
  using TzelComponent::TzelComponent;
  TstFont *TitleFont() const { return m_font; }
  void loaded() override { loadLog << QStringLiteral("page"); }
  QString m_caption;
  TstFont *m_font = new TstFont(this);
  double m_marginTop = 0.3;
  double m_pageHeight = 11.0;
  QChar m_separator = QLatin1Char('/');
};

class TstItem : public TzelComponent {
  Q_OBJECT
  Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
  Q_PROPERTY(int Width MEMBER m_width)
  Q_PROPERTY(quint16 Size MEMBER m_size)
  Q_PROPERTY(zel::TzelJoinOper Oper MEMBER m_oper)
  Q_PROPERTY(bool Flag MEMBER m_flag)
  Q_PROPERTY(bool Hidden MEMBER m_hidden STORED false)
  Q_CLASSINFO("zel.default.Width", "115")
  Q_CLASSINFO("zel.default.Oper", "zelJoinEqual")
public:
  using TzelComponent::TzelComponent;
  QString Caption() const { return m_caption; }
  void SetCaption(const QString &caption) {
    if (caption.isEmpty())
      throw EzelError(QStringLiteral("Error: Caption cannot be blank"));
    m_caption = caption;
  }
  void loaded() override { loadLog << m_caption + (isLoading() ? "+" : "-"); }
  QString m_caption = QStringLiteral("Item");
  int m_width = 115;
  quint16 m_size = 0;
  TzelJoinOper m_oper = zelJoinEqual;
  bool m_flag = false;
  bool m_hidden = false;
};

class TstBase : public TzelComponent {
  Q_OBJECT
  Q_PROPERTY(QString Title MEMBER m_title)
public:
  using TzelComponent::TzelComponent;
  QString m_title;
};

class TstBox : public TstBase {
  Q_OBJECT
  Q_PROPERTY(TstPage *Page READ Page)
  Q_PROPERTY(double Ratio MEMBER m_ratio)
  Q_PROPERTY(zel::TzelDatabase DatabaseType READ DatabaseType WRITE SetDatabaseType)
  Q_PROPERTY(QStringList Lines MEMBER m_lines)
  Q_PROPERTY(TstBox *Buddy MEMBER m_buddy)
  Q_CLASSINFO("zel.reference.Buddy", "True")
public:
  using TstBase::TstBase;
  TstPage *Page() const { return m_page; }
  TzelDatabase DatabaseType() const { return m_type; }
  // Like a dialect: outside loading, choosing the type resets the ratio.
  void SetDatabaseType(TzelDatabase type) {
    m_type = type;
    if (!isLoading())
      m_ratio = 1.5;
  }
  QList<TzelComponent *> storedChildren() const override { return m_children; }
  bool attachStoredChild(TzelComponent *child) override {
    if (!qobject_cast<TstItem *>(child) && !qobject_cast<TstBox *>(child))
      return false;
    child->setParent(this);
    m_children << child;
    return true;
  }
  void loaded() override { loadLog << objectName() + (isLoading() ? "+" : "-"); }
  template <typename T> T *add() {
    auto *c = new T(this);
    m_children << c;
    return c;
  }

  TstPage *m_page = new TstPage(this);
  double m_ratio = 0;
  TzelDatabase m_type = zelUnknown;
  QStringList m_lines;
  TstBox *m_buddy = nullptr;
  QList<TzelComponent *> m_children;
};

namespace {

QString lines(std::initializer_list<const char *> list) {
  QString s;
  for (const char *l : list)
    s += QString::fromUtf8(l) + QLatin1Char('\n');
  return s;
}

// The small tree every exact-text test writes.
std::unique_ptr<TstBox> sampleTree() {
  auto box = std::make_unique<TstBox>();
  box->setObjectName(QStringLiteral("box1"));
  box->m_title = QStringLiteral("Main");
  box->m_page->m_caption = QStringLiteral("It's");
  box->m_page->m_font->m_style = TstFont::fsBold | TstFont::fsItalic;
  box->m_page->m_marginTop = 0.25;
  box->m_ratio = 8.5;
  box->m_type = zelParadox;
  box->m_lines = {QStringLiteral("a"), QStringLiteral("b")};
  auto *item = box->add<TstItem>();
  item->m_caption = QStringLiteral("Parts");
  item->m_size = 20;
  item->m_flag = true;
  item->m_hidden = true;
  auto *inner = box->add<TstBox>();
  inner->setObjectName(QStringLiteral("inner"));
  inner->m_page->m_font->m_name.clear();
  inner->m_page->m_font->m_color = TstFont::clNavy;
  inner->m_page->m_pageHeight = 0.1;
  auto *deep = inner->add<TstItem>();
  deep->m_caption = QStringLiteral("a\r\nb\t'c'");
  deep->m_width = -3;
  deep->m_oper = zelJoinNotEqual;
  box->m_buddy = inner;
  return box;
}

const char *const sampleForm[] = {
    "object box1: TstBox",
    "  Title = 'Main'",
    "  Page.TitleCaption = 'It''s'",
    "  Page.TitleFont.Color = clBlack",
    "  Page.TitleFont.Height = -13",
    "  Page.TitleFont.Name = 'Arial'",
    "  Page.TitleFont.Style = [fsBold, fsItalic]",
    "  Page.MarginTop = 0.25",
    "  Page.PageHeight = 11",
    "  Page.Separator = '/'",
    "  Ratio = 8.5",
    "  DatabaseType = zelParadox",
    "  Lines.Strings = (",
    "    'a'",
    "    'b')",
    "  Buddy = inner",
    "  object : TstItem",
    "    Caption = 'Parts'",
    "    Size = 20",
    "    Flag = False",
    "  end",
    "  object inner: TstBox",
    "    Page.TitleFont.Color = clNavy",
    "    Page.TitleFont.Height = -13",
    "    Page.TitleFont.Name = ''",
    "    Page.TitleFont.Style = []",
    "    Page.PageHeight = 0.1",
    "    Page.Separator = '/'",
    "    Ratio = 0",
    "    DatabaseType = zelUnknown",
    "    object : TstItem",
    "      Caption = 'a'#13#10'b'#9'''c'''",
    "      Width = -3",
    "      Size = 0",
    "      Oper = zelJoinNotEqual",
    "      Flag = False",
    "    end",
    "  end",
    "end",
};

QString sampleText() {
  QString s;
  for (const char *l : sampleForm)
    s += QString::fromUtf8(l) + QLatin1Char('\n');
  return s;
}

template <typename T> T *as(const std::unique_ptr<TzelComponent> &p) {
  return qobject_cast<T *>(p.get());
}

} // namespace

class TestStoredForm : public QObject {
  Q_OBJECT
private slots:
  void initTestCase() {
    QVERIFY(ZelRegistry::instance().registerClass<TstBox>());
    QVERIFY(ZelRegistry::instance().registerClass<TstItem>());
    QVERIFY(!ZelRegistry::instance().registerClass<TstBox>());
    QCOMPARE(ZelRegistry::instance().registrationCount(QStringLiteral("TstBox")), 2);
    QVERIFY(ZelRegistry::instance().metaObject(QStringLiteral("TstBox")) ==
            &TstBox::staticMetaObject);
    QVERIFY(!ZelRegistry::instance().create(QStringLiteral("TstPage")));
  }

  void writesFormStyle() {
    auto box = sampleTree();
    box->findChild<TstItem *>()->m_flag = false;
    QCOMPARE(StoredFormWriter().write(*box), sampleText());
  }

  void writesQueryFileStyle() {
    TstBox box;
    box.m_page->m_font->m_color = TstFont::clRed;
    box.add<TstItem>()->m_width = 0;
    const QString expected =
        lines({"object TstBox", "  Page.TitleFont.Color = clRed", "  Page.TitleFont.Height = -13",
               "  Page.TitleFont.Name = 'Arial'", "  Page.TitleFont.Style = []",
               "  Page.PageHeight = 11", "  Page.Separator = '/'", "  Ratio = 0",
               "  DatabaseType = zelUnknown", "  object TstItem", "    Caption = 'Item'",
               "    Width = 0", "    Size = 0", "    Flag = False", "  end", "end"});
    QCOMPARE(StoredFormWriter(ZelChildHeader::ClassOnly).write(box), expected);
  }

  void roundTripKeepsEveryValue() {
    const auto box = sampleTree();
    const QString text = StoredFormWriter().write(*box);
    loadLog.clear();
    const auto read = StoredFormReader().read(text);
    auto *copy = as<TstBox>(read);
    QVERIFY(copy);
    QCOMPARE(StoredFormWriter().write(*copy).split('\n'), text.split('\n'));
    QCOMPARE(copy->objectName(), QStringLiteral("box1"));
    QCOMPARE(copy->m_page->m_caption, QStringLiteral("It's"));
    // An emptied text that starts filled is written, so it stays empty.
    QVERIFY(qobject_cast<TstBox *>(copy->m_children[1])->m_page->m_font->m_name.isEmpty());
    QCOMPARE(copy->m_page->m_font->m_style, TstFont::fsBold | TstFont::fsItalic);
    QCOMPARE(copy->m_ratio, 8.5); // DatabaseType came later but was read while loading
    QCOMPARE(copy->m_lines, box->m_lines);
    QCOMPARE(copy->m_children.size(), 2);
    auto *inner = qobject_cast<TstBox *>(copy->m_children[1]);
    QVERIFY(inner);
    QCOMPARE(copy->m_buddy, inner);
    auto *deep = qobject_cast<TstItem *>(inner->m_children.value(0));
    QVERIFY(deep);
    QCOMPARE(deep->m_caption, QStringLiteral("a\r\nb\t'c'"));
    QCOMPARE(deep->m_oper, zelJoinNotEqual);
    QVERIFY(!qobject_cast<TstItem *>(copy->m_children[0])->m_hidden); // STORED false
    // loaded() runs children first, while loading, and every object leaves loading after it.
    QCOMPARE(loadLog, QStringList({"Parts+", "a\r\nb\t'c'+", "page", "inner+", "page", "box1+"}));
    QVERIFY(!copy->isLoading() && !inner->isLoading() && !deep->isLoading());
    QVERIFY(!copy->m_page->isLoading());
  }

  void valueForms_data() {
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("written"); // empty: not written back
    QTest::newRow("float 11.0") << "Ratio = 11.0"
                                << "Ratio = 11";
    QTest::newRow("float int") << "Ratio = 11"
                               << "Ratio = 11";
    QTest::newRow("float small") << "Ratio = 1e-05"
                                 << "Ratio = 1e-05";
    QTest::newRow("float third") << "Ratio = 0.3"
                                 << "Ratio = 0.3";
    QTest::newRow("negative") << "Ratio = -2.75"
                              << "Ratio = -2.75";
    QTest::newRow("text codes") << "Title = #9'x'#$41"
                                << "Title = #9'xA'";
    QTest::newRow("quotes") << "Title = ''''"
                            << "Title = ''''";
    QTest::newRow("unicode") << "Title = 'Zoë €'"
                             << "Title = 'Zoë €'";
    QTest::newRow("line separator") << "Title = 'a'#8232"
                                    << "Title = 'a'#8232";
    QTest::newRow("empty text") << "Title = ''"
                                << "";
    QTest::newRow("ident case") << "DatabaseType = ZELORACLE"
                                << "DatabaseType = zelOracle";
    QTest::newRow("empty list") << "Lines.Strings = (\n  )"
                                << "";
    QTest::newRow("list own line") << "Lines = (\n  'x'\n  )"
                                   << "Lines.Strings = (\n    'x')";
    QTest::newRow("plus sign") << "Ratio = +7"
                               << "Ratio = 7";
    QTest::newRow("leading point") << "Ratio = .5"
                                   << "Ratio = 0.5";
    QTest::newRow("trailing point") << "Ratio = 5."
                                    << "Ratio = 5";
    QTest::newRow("exponent") << "Ratio = 2E3"
                              << "Ratio = 2000";
    QTest::newRow("signed exponent") << "Ratio = -2.5e-1"
                                     << "Ratio = -0.25";
    QTest::newRow("hexadecimal") << "Ratio = $1f"
                                 << "Ratio = 31";
    QTest::newRow("spaces around =") << "Ratio   =   4"
                                     << "Ratio = 4";
  }

  void headerForms_data() {
    QTest::addColumn<QString>("header");
    QTest::addColumn<QString>("name");
    QTest::newRow("named") << "object box1: TstBox"
                           << "box1";
    QTest::newRow("spaced") << "object \t box_2  :  TstBox"
                            << "box_2";
    QTest::newRow("colon only") << "object :TstBox" << QString();
    QTest::newRow("class only") << "object TstBox" << QString();
    QTest::newRow("end in capitals") << "object TstBox\nEND\n" << QString();
  }
  void headerForms() {
    QFETCH(QString, header);
    QFETCH(QString, name);
    const QString text = header.contains(u'\n') ? header : header + "\nend\n";
    const auto read = StoredFormReader().read(text);
    QVERIFY(as<TstBox>(read));
    QCOMPARE(read->objectName(), name);
  }
  void valueForms() {
    QFETCH(QString, line);
    QFETCH(QString, written);
    const auto read = StoredFormReader().read("object : TstBox\n  " + line + "\nend\n");
    const QString text = StoredFormWriter().write(*read);
    if (written.isEmpty())
      QVERIFY2(!text.contains("\n  " + line.section(QLatin1Char(' '), 0, 0) + " = "),
               qPrintable(text));
    else
      QVERIFY2(text.contains("\n  " + written + "\n"), qPrintable(text));
  }

  void badInput_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message");
    const QString head = QStringLiteral("object box9: TstBox\n");
    QTest::newRow("missing end") << head + "  Title = 'x'\n"
                                 << "Error: Line 1: The TstBox object has no end";
    QTest::newRow("missing inner end") << head + "  object : TstItem\nend\n"
                                       << "Error: Line 1: The TstBox object has no end";
    QTest::newRow("unknown class") << "object : TstNope\nend\n"
                                   << "Error: Line 1: Unknown class [TstNope]";
    QTest::newRow("unknown child class") << head + "  object : TstPage\n  end\nend"
                                         << "Error: Line 2: Unknown class [TstPage]";
    QTest::newRow("unknown property") << head + "  Foo = 1\nend"
                                      << "Error: Line 2: Unknown property [Foo] of TstBox";
    QTest::newRow("unknown sub-property")
        << head + "  Page.Nope = 1\nend"
        << "Error: Line 2: Unknown property [Page.Nope] of TstBox";
    QTest::newRow("path through a value") << head + "  Ratio.X = 1\nend"
                                          << "Error: Line 2: Unknown property [Ratio.X] of TstBox";
    QTest::newRow("objectName") << head + "  objectName = 'x'\nend"
                                << "Error: Line 2: Unknown property [objectName] of TstBox";
    QTest::newRow("wrong type")
        << head + "  Ratio = 'x'\nend"
        << "Error: Line 2: Invalid value ['x'] of property [Ratio] of TstBox";
    QTest::newRow("text for enum")
        << head + "  DatabaseType = 'zelParadox'\nend"
        << "Error: Line 2: Invalid value ['zelParadox'] of property [DatabaseType] of TstBox";
    QTest::newRow("bool") << head + "  object : TstItem\n    Flag = Yes\n  end\nend"
                          << "Error: Line 3: Invalid value [Yes] of property [Flag] of TstItem";
    QTest::newRow("out of range")
        << head + "  object : TstItem\n    Size = 70000\n  end\nend"
        << "Error: Line 3: Invalid value [70000] of property [Size] of TstItem";
    QTest::newRow("huge number") << head + "  Ratio = 99999999999999999999999\nend"
                                 << "Error: Line 2: Number out of range [99999999999999999999999]";
    QTest::newRow("two chars")
        << head + "  Page.Separator = '//'\nend"
        << "Error: Line 2: Invalid value ['//'] of property [Page.Separator] of TstBox";
    QTest::newRow("enum name") << head + "  DatabaseType = zelNope\nend"
                               << "Error: Line 2: [zelNope] is not a value of TzelDatabase";
    QTest::newRow("set name") << head + "  Page.TitleFont.Style = [fsBold, fsNope]\nend"
                              << "Error: Line 2: [fsNope] is not a value of TFontStyles";
    QTest::newRow("bad set") << head + "  Page.TitleFont.Style = [fsBold\nend"
                             << "Error: Line 2: Invalid set [[fsBold]";
    QTest::newRow("open string") << head + "  Title = 'abc\nend"
                                 << "Error: Line 2: Unterminated string";
    QTest::newRow("open list") << head + "  Lines.Strings = (\n    'a'\nend"
                               << "Error: Line 4: Expected a text in [end]";
    QTest::newRow("list to the end") << head + "  Lines.Strings = (\n    'a'\n"
                                     << "Error: Line 2: The list has no closing parenthesis";
    QTest::newRow("junk after value") << head + "  Title = 'a' 'b'\nend"
                                      << "Error: Line 2: Unexpected text after the value [ 'b']";
    QTest::newRow("empty") << ""
                           << "Error: Line 1: The text is empty";
    QTest::newRow("blank lines") << "\n  \r\n\t\n"
                                 << "Error: Line 1: The text is empty";
    QTest::newRow("binary") << head + "\x01\x02\nend"
                            << "Error: Line 2: Invalid character #1";
    QTest::newRow("nul") << head + QString(QChar(0)) + "\nend"
                         << "Error: Line 2: Invalid character #0";
    QTest::newRow("trailing junk") << head + "end\nfoo\n"
                                   << "Error: Line 3: Unexpected text after the last end [foo]";
    QTest::newRow("second object")
        << head + "end\nobject : TstBox\nend\n"
        << "Error: Line 3: Unexpected text after the last end [object : TstBox]";
    QTest::newRow("setter raises") << head + "  object : TstItem\n    Caption = ''\n  end\nend"
                                   << "Error: Line 3: Caption cannot be blank";
    QTest::newRow("child refused")
        << head + "  object : TstItem\n    object : TstItem\n    end\n  end\nend"
        << "Error: Line 3: TstItem cannot hold a TstItem object";
    QTest::newRow("no object line")
        << "Title = 'x'\n"
        << "Error: Line 1: Expected an object line but found [Title = 'x']";
    QTest::newRow("bad line") << head + "  Title 'x'\nend"
                              << "Error: Line 2: Invalid line [Title 'x']";
    QTest::newRow("no value") << head + "  Title =\nend"
                              << "Error: Line 2: Missing value of property [Title]";
    QTest::newRow("after children")
        << head + "  object : TstItem\n  end\n  Title = 'x'\nend"
        << "Error: Line 4: Property [Title] must come before the child objects";
    QTest::newRow("settings object") << head + "  Page = 1\nend"
                                     << "Error: Line 2: Property [Page] of TstBox cannot be set";
    QTest::newRow("unknown reference") << head + "  Buddy = nobody\nend"
                                       << "Error: Line 2: Unknown component [nobody]";
    QTest::newRow("code too big") << head + "  Title = #99999999\nend"
                                  << "Error: Line 2: Invalid character code in [#99999999]";
    QTest::newRow("two points") << head + "  Ratio = 1.2.3\nend"
                                << "Error: Line 2: Invalid value [1.2.3]";
    QTest::newRow("bare exponent") << head + "  Ratio = 1e\nend"
                                   << "Error: Line 2: Invalid value [1e]";
    QTest::newRow("bare sign") << head + "  Ratio = -\nend"
                               << "Error: Line 2: Invalid value [-]";
    QTest::newRow("bare point") << head + "  Ratio = .\nend"
                                << "Error: Line 2: Invalid value [.]";
    QTest::newRow("dollar alone") << head + "  Ratio = $\nend"
                                  << "Error: Line 2: Invalid value [$]";
    QTest::newRow("17 hex digits") << head + "  Ratio = $11111111111111111\nend"
                                   << "Error: Line 2: Invalid value [$11111111111111111]";
    QTest::newRow("name ends in a dot") << head + "  Page. = 1\nend"
                                        << "Error: Line 2: Invalid line [Page. = 1]";
    QTest::newRow("name starts with a digit") << head + "  1Title = 'x'\nend"
                                              << "Error: Line 2: Invalid line [1Title = 'x']";
    QTest::newRow("header without class")
        << "object box9:\nend\n"
        << "Error: Line 1: Expected an object line but found [object box9:]";
    QTest::newRow("header with two names")
        << "object a b: TstBox\nend\n"
        << "Error: Line 1: Expected an object line but found [object a b: TstBox]";
    QTest::newRow("header glued") << "objectTstBox\nend\n"
                                  << "Error: Line 1: Expected an object line but found "
                                     "[objectTstBox]";
    QString deep = QStringLiteral("object : TstBox\n");
    for (int i = 0; i < 100; ++i)
      deep += "object : TstBox\n";
    QTest::newRow("too deep") << deep << "Error: Line 65: Objects are nested too deeply";
  }
  void badInput() {
    QFETCH(QString, text);
    QFETCH(QString, message);
    QCOMPARE(errorOf([&] { StoredFormReader().read(text); }), message);
    // The same text never touches an object it is read into.
    TstBox target;
    target.setObjectName(QStringLiteral("keep"));
    target.m_title = QStringLiteral("Keep");
    target.add<TstItem>();
    const QString before = StoredFormWriter().write(target);
    QCOMPARE(errorOf([&] { StoredFormReader().readInto(&target, text); }), message);
    QCOMPARE(StoredFormWriter().write(target), before);
    QVERIFY(!target.isLoading());
  }

  void readIntoAppliesTheText() {
    TstBox target;
    target.m_ratio = 4;
    StoredFormReader().readInto(
        &target, lines({"object named: TstBox", "  Title = 'New'", "  DatabaseType = zelOracle",
                        "  object : TstItem", "    Caption = 'One'", "  end", "end"}));
    QCOMPARE(target.objectName(), QStringLiteral("named"));
    QCOMPARE(target.m_title, QStringLiteral("New"));
    QCOMPARE(target.m_ratio, 4.0); // read while loading: the type alone is stored
    QCOMPARE(target.m_children.size(), 1);
    QVERIFY(!target.isLoading());
    QCOMPARE(errorOf([&] {
               StoredFormReader().readInto(&target, lines({"object : TstItem", "end"}));
             }),
             QStringLiteral("Error: Line 1: The text holds a TstItem, not a TstBox"));
  }

  void referencesResolveOutsideTheText() {
    TstBox other;
    other.setObjectName(QStringLiteral("other"));
    StoredFormReader reader;
    reader.setResolver([&](const QString &name) -> QObject * {
      return name == QLatin1String("other") ? &other : nullptr;
    });
    const auto read = reader.read(lines({"object : TstBox", "  Buddy = other", "end"}));
    QCOMPARE(as<TstBox>(read)->m_buddy, &other);
  }

  void utf8Bytes() {
    const auto read = StoredFormReader().read(
        QByteArray("\xEF\xBB\xBFobject : TstBox\r\n  Title = 'Zo\xC3\xAB'\r\nend\r\n"));
    QCOMPARE(as<TstBox>(read)->m_title, QStringLiteral("Zoë"));
    QCOMPARE(errorOf([&] {
               StoredFormReader().read(QByteArray("object : TstBox\n  Title = 'Zo\xEB'\nend\n"));
             }),
             QStringLiteral("Error: Line 2: The text is not valid UTF-8"));
    // A sequence cut by the end of its line is named by that line.
    QCOMPARE(errorOf([&] {
               StoredFormReader().read(
                   QByteArray("object : TstBox\n  Title = 'Zo'\n  Title = 'a\xC3\nend\n"));
             }),
             QStringLiteral("Error: Line 3: The text is not valid UTF-8"));
  }

  void filesUseCrLfAndUtf8() {
    QTemporaryDir dir;
    const QString name = dir.filePath(QStringLiteral("tree.zel"));
    auto box = sampleTree();
    box->m_title = QStringLiteral("Zoë");
    const QString text = StoredFormWriter().write(*box);
    saveStoredFormFile(name, text);
    saveStoredFormFile(name, text); // replaces the file
    QFile file(name);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QCOMPARE(bytes.count("\r\n"), text.count(QLatin1Char('\n')));
    QCOMPARE(bytes.count('\n'), text.count(QLatin1Char('\n')));
    QVERIFY(bytes.contains("Title = 'Zo\xC3\xAB'\r\n"));
    const auto read = StoredFormReader().read(loadStoredFormFile(name));
    QCOMPARE(StoredFormWriter().write(*read), text);
    QVERIFY_THROWS_EXCEPTION(EzelError, loadStoredFormFile(dir.filePath("missing.zel")));
    QVERIFY_THROWS_EXCEPTION(EzelError, saveStoredFormFile(dir.filePath("no/such/x.zel"), text));
  }

  // Random bytes, truncations and mutations of a valid text: success or EzelError only.
  void robustAgainstAnyInput() {
    QRandomGenerator rng(20261208);
    const QByteArray valid = sampleText().toUtf8();
    int errors = 0;
    int successes = 0;
    const auto feed = [&](const QByteArray &bytes) {
      try {
        StoredFormReader().read(bytes);
        ++successes;
      } catch (const EzelError &e) {
        QVERIFY(e.message().startsWith(QLatin1String("Error: Line ")));
        ++errors;
      }
    };
    for (int cut = 0; cut <= valid.size(); ++cut)
      feed(valid.left(cut));
    static const char alphabet[] = "object end=:'#()[],.\n  TstBox TstItem Page.Title 0123 $x";
    for (int i = 0; i < 1500; ++i) {
      QByteArray junk(int(rng.bounded(120)), Qt::Uninitialized);
      for (char &c : junk)
        c = i % 2 ? char(rng.bounded(256)) : alphabet[rng.bounded(int(sizeof alphabet) - 1)];
      feed(junk);
    }
    for (int i = 0; i < 1500; ++i) {
      QByteArray mutated = valid;
      for (int k = 0; k < 3; ++k)
        mutated[int(rng.bounded(mutated.size()))] = alphabet[rng.bounded(int(sizeof alphabet) - 1)];
      feed(mutated);
    }
    QVERIFY(errors > 1000);
    QVERIFY(successes > 0);
  }
};

QTEST_GUILESS_MAIN(TestStoredForm)
#include "tst_storedform.moc"
