// SPDX-License-Identifier: MIT
#include "engine/queryfile.h"
#include "engine/zelquerion.h"
#include "model/storedform.h"
#include "support/filesizelimit.h"
#include "support/querionfixture.h"
#include "support/recordingmessages.h"

#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>
#include <bit>
#include <limits>

class TestQueryFile : public QObject {
  Q_OBJECT
  QTemporaryDir m_dir;

  QString path(const QString &name) const { return m_dir.filePath(name); }
  static QString text(TzelQuerion &querion) {
    return StoredFormWriter(ZelChildHeader::ClassOnly).write(querion);
  }
  static QByteArray fileBytes(const QString &name) {
    QFile file(name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }
  static void writeFile(const QString &name, const QByteArray &bytes) {
    QFile file(name);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
  }

  // A query component over the sample Customers table holding the example query.
  struct Fixture {
    QObject owner;
    TzelModel *model = makeCustomersModel(&owner);
    TzelQuerion querion{&owner};
    Fixture() {
      querion.SetDataModel(model);
      fillExampleQuery(querion);
    }
  };

private slots:
  void initTestCase() {
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    QVERIFY(m_dir.isValid());
  }

  void exampleText() {
    Fixture f;
    f.querion.SetDisplayParams(false); // its line never travels with a query
    QVERIFY(f.querion.SaveToFile(path(QStringLiteral("example"))));
    QStringList expected{QStringLiteral("object zelQuerion1: TzelQuerion")};
    expected << fontLines(QStringLiteral("Footer"), -13, QStringLiteral("[]"))
             << fontLines(QStringLiteral("Header"), -19, QStringLiteral("[fsBold]"));
    expected << QStringLiteral("  Page.MarginBottom = 0.3")
             << QStringLiteral("  Page.MarginLeft = 0.3")
             << QStringLiteral("  Page.MarginRight = 0.3")
             << QStringLiteral("  Page.MarginTop = 0.3")
             << QStringLiteral("  Page.PageHeight = 11.0")
             << QStringLiteral("  Page.PageWidth = 8.5");
    expected << fontLines(QStringLiteral("Record"), -13, QStringLiteral("[]"))
             << fontLines(QStringLiteral("Title"), -24, QStringLiteral("[fsBold]"));
    expected << QStringList{"  Left = 64",
                            "  Top = 112",
                            "  DateOrder = 0",
                            "  DateSeparator = '/'",
                            "  DecimalSeparator = '.'",
                            "  object TzelQuery",
                            "    QueryName = 'Step 1'",
                            "    QueryType = zelSelect",
                            "    IsDistinct = True",
                            "    object TzelQueryTable",
                            "      TableAlias = 'Customers'",
                            "      TableName = 'Customers'",
                            "      Left = 19",
                            "      Top = 12",
                            "    end",
                            "    object TzelQueryValue",
                            "      ValueAlias = 'City'",
                            "      TableAlias = 'Customers'",
                            "      Expression = 'City'",
                            "      DataType = ftString",
                            "      Width = 15",
                            "      Position = 2",
                            "      object TzelQueryFilter",
                            "        Position = 1",
                            "        Filter = 'Vancouver|Bogota|'",
                            "      end",
                            "    end",
                            "  end",
                            "end"};
    QCOMPARE(f.querion.QueryText(), expected);
    QCOMPARE(fileBytes(path(QStringLiteral("example.zel"))),
             expected.join(QStringLiteral("\r\n")).toUtf8() + "\r\n");
  }

  void fileNames_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("reportMode");
    QTest::addColumn<QString>("written");
    QTest::newRow("no dot") << "sales" << false << "sales.zel";
    QTest::newRow("dot kept") << "sales.txt" << false << "sales.txt";
    QTest::newRow("report mode") << "sales" << true << "sales.kvt";
    QTest::newRow("dot in folder only") << "v1.2/sales" << false << "v1.2/sales.zel";
  }
  void fileNames() {
    QFETCH(QString, name);
    QFETCH(bool, reportMode);
    QFETCH(QString, written);
    QCOMPARE(QueryFileName(name, reportMode), written);
    if (name.contains(u'/'))
      return;
    Fixture f;
    f.querion.SetReportMode(reportMode);
    QVERIFY(f.querion.SaveToFile(path(name)));
    QVERIFY(QFileInfo::exists(path(written)));
  }

  void blankNameDoesNothing() {
    RecordingMessages rec;
    Fixture f;
    QVERIFY(!f.querion.SaveToFile(QStringLiteral("   ")));
    QVERIFY(!f.querion.LoadFromFile(QString()));
    QVERIFY(rec.messages.isEmpty());
  }

  void cleaning() {
    const QStringList lines{"object zelQuerion1: TzelQuerion",
                            "  DataModel = zelDataModel1",
                            "  DataQuery = Query1",
                            "  DisplayParams = False",
                            "  Preview = True",
                            "  Page.TitleFont.Charset = DEFAULT_CHARSET",
                            "  Page.PageHeight = 11",
                            "  Page.MarginTop = 1.5",
                            "  Labels.LabelWidth = 3",
                            "  Page.MarginLeft = 1e-05",
                            "  Page.MarginRight = -2.5E+16.0",
                            "  Page.MarginBottom = -7",
                            "  object TzelQuery",
                            "    QueryName = 'DataModel check'",
                            "    Page.PageHeight = 11",
                            "        Filter = 'DataQuery|Preview = |'",
                            "  end",
                            "end"};
    const QStringList expected{"object zelQuerion1: TzelQuerion",
                               "  Page.PageHeight = 11.0",
                               "  Page.MarginTop = 1.5",
                               "  Labels.LabelWidth = 3.0",
                               "  Page.MarginLeft = 1e-05",
                               "  Page.MarginRight = -2.5E+16",
                               "  Page.MarginBottom = -7.0",
                               "  object TzelQuery",
                               "    QueryName = 'DataModel check'",
                               "    Page.PageHeight = 11",
                               "        Filter = 'DataQuery|Preview = |'",
                               "  end",
                               "end"};
    QCOMPARE(CleanQueryText(lines), expected);
  }

  // A query named after a dropped property survives the trip through a file.
  void wordsInTextsSurvive() {
    Fixture f;
    f.querion.Queries(0)->SetQueryName(QStringLiteral("DataModel check"));
    f.querion.Queries(0)->GetValue(0)->SetFilter(2, zelFilterEqual,
                                                 QStringLiteral("DisplayParams = x|"));
    QVERIFY(f.querion.SaveToFile(path(QStringLiteral("words.zel"))));
    Fixture g;
    QVERIFY(g.querion.LoadFromFile(path(QStringLiteral("words.zel"))));
    QCOMPARE(g.querion.Queries(0)->QueryName(), QStringLiteral("DataModel check"));
    QCOMPARE(text(g.querion), text(f.querion));
  }

  void roundTrip() {
    Fixture f;
    f.querion.Page()->SetPageHeight(14);
    f.querion.Page()->SetTitleCaption(QStringLiteral("Customers 'by' city"));
    QVERIFY(f.querion.SaveToFile(path(QStringLiteral("trip.zel"))));
    QVERIFY(f.querion.QueryText().contains(QStringLiteral("  Page.PageHeight = 14.0")));
    QObject owner;
    TzelQuerion other(&owner);
    other.SetDataModel(makeCustomersModel(&owner));
    QVERIFY(other.LoadFromFile(path(QStringLiteral("trip.zel"))));
    QCOMPARE(other.Page()->PageHeight(), 14.0);
    QCOMPARE(other.Page()->TitleCaption(), QStringLiteral("Customers 'by' city"));
    other.setObjectName(f.querion.objectName());
    other.SetLeft(64);
    other.SetTop(112);
    QCOMPARE(text(other), text(f.querion));
    // The same text through LoadFromText.
    TzelQuerion third(&owner);
    third.SetDataModel(f.model);
    third.QueryText() = f.querion.QueryText();
    QVERIFY(third.LoadFromText());
    QCOMPARE(third.Queries(0)->ValueCount(), 1);
    QCOMPARE(third.Queries(0)->GetValue(0)->GetFilter(0)->Filter(),
             QStringLiteral("Vancouver|Bogota|"));
  }

  // Every page measure written reads back as the very same number, through the stored form
  // and through a query file (which marks whole numbers with ".0").
  void measuresReadBackExactly_data() {
    QTest::addColumn<double>("measure");
    QTest::newRow("zero") << 0.0;
    QTest::newRow("negative zero") << -0.0;
    QTest::newRow("whole") << 11.0;
    QTest::newRow("negative whole") << -3.0;
    QTest::newRow("tiny") << 0.00001;
    QTest::newRow("negative tiny") << -1e-5;
    QTest::newRow("huge") << 1e16;
    QTest::newRow("huge with digits") << 123456789012345678.0;
    QTest::newRow("beyond whole digits") << 1e21;
    QTest::newRow("many digits") << 0.1 + 0.2;
    QTest::newRow("third") << 1.0 / 3;
    QTest::newRow("negative many digits") << -123456.78901234567;
    QTest::newRow("largest") << std::numeric_limits<double>::max();
    QTest::newRow("smallest normal") << std::numeric_limits<double>::min();
    QTest::newRow("smallest") << std::numeric_limits<double>::denorm_min();
  }
  void measuresReadBackExactly() {
    QFETCH(double, measure);
    const auto same = [](double a, double b) {
      return std::bit_cast<quint64>(a) == std::bit_cast<quint64>(b);
    };
    const auto allSet = [&](const TzelPage *page) {
      for (double read : {page->MarginBottom(), page->MarginLeft(), page->MarginRight(),
                          page->MarginTop(), page->PageHeight(), page->PageWidth()})
        if (!same(read, measure))
          return QString::number(read, 'g', 17);
      return QString();
    };
    const auto setAll = [&](TzelPage *page) {
      page->SetMarginBottom(measure);
      page->SetMarginLeft(measure);
      page->SetMarginRight(measure);
      page->SetMarginTop(measure);
      page->SetPageHeight(measure);
      page->SetPageWidth(measure);
    };
    TzelQuerion bare;
    setAll(bare.Page());
    const auto form = StoredFormReader().read(StoredFormWriter().write(bare));
    const auto *stored = qobject_cast<const TzelQuerion *>(form.get());
    QVERIFY(stored);
    QCOMPARE(allSet(stored->Page()), QString());
    Fixture f;
    setAll(f.querion.Page());
    RecordingMessages rec;
    QVERIFY(f.querion.SaveToFile(path(QStringLiteral("measures.zel"))));
    Fixture g;
    QVERIFY2(g.querion.LoadFromFile(path(QStringLiteral("measures.zel"))),
             qPrintable(rec.lastText()));
    QCOMPARE(allSet(g.querion.Page()), QString());
  }

  // A header reads back as it was written, whatever its case; only a second value of the
  // same header is told apart, as it always was.
  void headersKeepTheirText_data() {
    QTest::addColumn<QStringList>("headers");
    QTest::addColumn<QStringList>("read");
    QTest::newRow("capitals") << QStringList{"ST"} << QStringList{"ST"};
    QTest::newRow("capitals with a bar") << QStringList{"ORD_NO"} << QStringList{"ORD_NO"};
    QTest::newRow("small letters") << QStringList{"city"} << QStringList{"city"};
    QTest::newRow("proper case") << QStringList{"City"} << QStringList{"City"};
    QTest::newRow("mixed case") << QStringList{"CustNo"} << QStringList{"CustNo"};
    QTest::newRow("same header twice") << QStringList{"VN", "vn"} << QStringList{"VN", "vn_1"};
  }
  void headersKeepTheirText() {
    QFETCH(QStringList, headers);
    QFETCH(QStringList, read);
    Fixture f;
    TzelQuery *query = f.querion.Queries(0);
    query->GetValue(0)->SetValueAlias(headers.at(0));
    for (qsizetype i = 1; i < headers.size(); ++i)
      query->GetValue(query->AddValue(QStringLiteral("Customers"), QStringLiteral("CustNo"), {}))
          ->SetValueAlias(headers.at(i));
    QVERIFY(f.querion.SaveToFile(path(QStringLiteral("headers.zel"))));
    for (int trip = 0; trip < 2; ++trip) { // opened, saved again, opened again
      Fixture g;
      QVERIFY(g.querion.LoadFromFile(path(QStringLiteral("headers.zel"))));
      QStringList aliases;
      for (int i = 0; i < g.querion.Queries(0)->ValueCount(); ++i)
        aliases << g.querion.Queries(0)->GetValue(i)->ValueAlias();
      QCOMPARE(aliases, read);
      QVERIFY(g.querion.SaveToFile(path(QStringLiteral("headers.zel"))));
    }
  }

  // Files written with the older, broader cleaning (which also lost lines that merely held
  // the words) and files that still name the host's components read as before.
  void olderFilesStayReadable() {
    const QByteArray old = "object zelQuerion1: TzelQuerion\r\n"
                           "  DataModel = zelDataModel1\r\n"
                           "  Page.PageHeight = 11.0\r\n"
                           "  DateOrder = 0\r\n"
                           "  DateSeparator = '/'\r\n"
                           "  DecimalSeparator = '.'\r\n"
                           "  object TzelQuery\r\n"
                           "    QueryType = zelSelect\r\n"
                           "    object TzelQueryTable\r\n"
                           "      TableAlias = 'Customers'\r\n"
                           "      TableName = 'Customers'\r\n"
                           "    end\r\n"
                           "  end\r\n"
                           "end\r\n";
    writeFile(path(QStringLiteral("old.zel")), old);
    RecordingMessages rec;
    Fixture f;
    QVERIFY(f.querion.LoadFromFile(path(QStringLiteral("old.zel"))));
    QCOMPARE(rec.texts(), QStringList());
    QCOMPARE(f.querion.Queries(0)->TableCount(), 1);
    QCOMPARE(f.querion.Queries(0)->ValueCount(), 0);
  }

  void foreignFirstLine() {
    RecordingMessages rec;
    Fixture f;
    f.querion.QueryText() = QStringList{"object Form1: TForm1", "end"};
    QVERIFY(!f.querion.LoadFromText());
    QCOMPARE(rec.lastText(), QStringLiteral("Error: Invalid file type"));
    writeFile(path(QStringLiteral("form.zel")), "object Form1: TForm1\r\nend\r\n");
    QVERIFY(!f.querion.LoadFromFile(path(QStringLiteral("form.zel"))));
    QCOMPARE(rec.lastText(),
             QStringLiteral("Error: ") + path(QStringLiteral("form.zel")) + ": Invalid file type");
    f.querion.QueryText() = QStringList{"", "end"};
    QVERIFY(!f.querion.LoadFromText());
    QCOMPARE(rec.lastText(), QStringLiteral("Error: The first line of the report is blank"));
    rec.clear();
    f.querion.QueryText().clear();
    QVERIFY(!f.querion.LoadFromText());
    QVERIFY(rec.messages.isEmpty());
    // LoadFromText empties the current query before it looks at the text.
    QCOMPARE(f.querion.Queries(0)->TableCount(), 0);
    QCOMPARE(f.querion.Queries(0)->ValueCount(), 0);
  }

  void missingFile() {
    RecordingMessages rec;
    Fixture f;
    const QString name = path(QStringLiteral("nowhere.zel"));
    QVERIFY(!f.querion.LoadFromFile(name));
    QCOMPARE(rec.texts(), QStringList{QStringLiteral("Error: The ") + name +
                                      QStringLiteral(" file does not exist")});
  }

  // What is wrong inside a file is told under the file's name, as the user gave it.
  void loadErrorsNameTheFile_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("message");
    QTest::newRow("empty") << QByteArray() << "The first line of the report is blank";
    QTest::newRow("blank first line")
        << QByteArray("\r\nend\r\n") << "The first line of the report is blank";
    QTest::newRow("garbage") << QByteArray("\x7f\x45LF garbage\r\n") << "Invalid file type";
    QTest::newRow("no end") << QByteArray("object zelQuerion1: TzelQuerion\r\n"
                                          "  object TzelQuery\r\n"
                                          "  end\r\n")
                            << "Line 1: The TzelQuerion object has no end";
    QTest::newRow("field the model lacks") << QByteArray("object zelQuerion1: TzelQuerion\r\n"
                                                         "  object TzelQuery\r\n"
                                                         "    object TzelQueryTable\r\n"
                                                         "      TableAlias = 'Customers'\r\n"
                                                         "      TableName = 'Customers'\r\n"
                                                         "    end\r\n"
                                                         "    object TzelQueryValue\r\n"
                                                         "      ValueAlias = 'Town'\r\n"
                                                         "      TableAlias = 'Customers'\r\n"
                                                         "      Expression = 'Town'\r\n"
                                                         "    end\r\n"
                                                         "  end\r\n"
                                                         "end\r\n")
                                           << "Field Alias [Town] does not exist";
  }
  void loadErrorsNameTheFile() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, message);
    const QString name = path(QStringLiteral("step1.zel"));
    writeFile(name, bytes);
    RecordingMessages rec;
    Fixture f;
    QVERIFY(!f.querion.LoadFromFile(name));
    QCOMPARE(rec.texts(), QStringList{QStringLiteral("Error: ") + name + ": " + message});
  }

  // A file that is no query file's text is refused when read, before it fills the memory:
  // a device without end, a NUL byte, a size no query reaches.
  void endlessOrHugeFilesAreRefused_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<qint64>("size"); // of a sparse file written first; -1 for none
    QTest::addColumn<QString>("reason");
    QTest::newRow("/dev/zero") << "/dev/zero" << qint64(-1) << "it holds a NUL byte: no text";
    QTest::newRow("NUL in the text")
        << path("nul.zel") << qint64(-1) << "it holds a NUL byte: no text";
    QTest::newRow("over 256 MB") << path("huge.zel") << (qint64(256) << 20) + 1
                                 << "it is larger than 256 MB";
  }
  void endlessOrHugeFilesAreRefused() {
    QFETCH(QString, name);
    QFETCH(qint64, size);
    QFETCH(QString, reason);
    if (name.endsWith(QLatin1String("nul.zel")))
      writeFile(name, QByteArray("object zelQuerion1: TzelQuerion\r\n") + '\0' + "end\r\n");
    if (size >= 0) {
      QFile file(name);
      QVERIFY(file.open(QIODevice::WriteOnly) && file.write("object") && file.resize(size));
    }
    RecordingMessages rec;
    Fixture f;
    QVERIFY(!f.querion.LoadFromFile(name));
    QCOMPARE(rec.texts(), QStringList{QStringLiteral("Error: Cannot read the ") + name +
                                      QStringLiteral(" file: ") + reason});
    QFile::remove(path("huge.zel"));
  }

  // Broken texts fail with one clean message and leave the current query as it was.
  void brokenFilesKeepTheQuery_data() {
    QTest::addColumn<QByteArray>("bytes");
    Fixture f;
    QVERIFY(f.querion.SaveToFile(path(QStringLiteral("good.zel"))));
    const QByteArray good = fileBytes(path(QStringLiteral("good.zel")));
    for (int cut : {40, 200, 500, 700, int(good.size()) - 20, int(good.size()) - 6})
      QTest::addRow("truncated at %d", cut) << good.left(cut);
    QByteArray unknownClass = good;
    unknownClass.replace("object TzelQueryFilter", "object TzelNothing");
    QTest::newRow("unknown class") << unknownClass;
    QByteArray unknownProperty = good;
    unknownProperty.replace("Width = 15", "Breadth = 15");
    QTest::newRow("unknown property") << unknownProperty;
    QByteArray unknownField = good;
    unknownField.replace("Expression = 'City'", "Expression = 'Town'");
    QTest::newRow("field the model lacks") << unknownField;
    QByteArray wrongType = good;
    wrongType.replace("Width = 15", "Width = 'wide'");
    QTest::newRow("wrong value type") << wrongType;
    QByteArray openString = good;
    openString.replace("'Vancouver|Bogota|'", "'Vancouver|Bogota|");
    QTest::newRow("string never closes") << openString;
    QRandomGenerator random(20261208);
    for (int i = 0; i < 8; ++i) {
      QByteArray junk = "object zelQuerion1: TzelQuerion\r\n";
      for (int n = 0; n < 300; ++n)
        junk += char(random.bounded(256));
      QTest::addRow("random %d", i) << junk;
    }
    for (int i = 0; i < 8; ++i) {
      QByteArray shuffled = good;
      for (int n = 0; n < 6; ++n)
        shuffled[random.bounded(int(shuffled.size()))] = char(random.bounded(32, 127));
      QTest::addRow("mutated %d", i) << shuffled;
    }
  }
  void brokenFilesKeepTheQuery() {
    QFETCH(QByteArray, bytes);
    Fixture f;
    f.querion.Queries(0)->SetQueryName(QStringLiteral("Current"));
    const QString before = text(f.querion);
    writeFile(path(QStringLiteral("broken.zel")), bytes);
    RecordingMessages rec;
    if (f.querion.LoadFromFile(path(QStringLiteral("broken.zel"))))
      return; // a mutation that still reads is a valid file
    QCOMPARE(rec.messages.size(), 1);
    QVERIFY2(rec.lastText().startsWith(QStringLiteral("Error: ")), qPrintable(rec.lastText()));
    QCOMPARE(text(f.querion), before);
    f.querion.QueryText() = QString::fromLatin1(bytes).split(QStringLiteral("\r\n"));
    QVERIFY(!f.querion.LoadFromText());
    // Only LoadFromText empties the current query first; the page stays.
    QCOMPARE(f.querion.Queries(0)->QueryName(), QStringLiteral("Current"));
    QCOMPARE(f.querion.Queries(0)->TableCount(), 0);
    QCOMPARE(f.querion.Queries(0)->ValueCount(), 0);
    QCOMPARE(f.querion.Page()->PageHeight(), 11.0);
  }

  // A save that fails on the way leaves the file that was there.
  void failedSaveKeepsTheOldFile() {
    Fixture f;
    const QString name = path(QStringLiteral("kept.zel"));
    QVERIFY(f.querion.SaveToFile(name));
    const QByteArray old = fileBytes(name);
    TzelQuery *query = f.querion.Queries(0);
    for (int i = 0; i < 40; ++i)
      query->AddValue(QStringLiteral("Customers"), QStringLiteral("City"), {});
    RecordingMessages rec;
    bool saved_ok = true;
    {
      const FileSizeLimit limit(rlim_t(old.size() + 64));
      saved_ok = f.querion.SaveToFile(name);
    }
    QVERIFY(!saved_ok);
    QCOMPARE(rec.messages.size(), 1);
    QVERIFY(rec.lastText().startsWith(QStringLiteral("Error: ")));
    QCOMPARE(fileBytes(name), old);
  }
};

QTEST_GUILESS_MAIN(TestQueryFile)
#include "tst_queryfile.moc"
