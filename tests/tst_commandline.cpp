// The command line, through the window's constructor: which arguments are taken, which are skipped
// and with what message, where the taken ones go, and which tab is shown first. The arguments name
// real files, a folder, missing paths and shortcut-named files in a temporary folder.
#include "Form1.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

using namespace quorvel;

class TestCommandLine : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;

    // "@name" stands for the path of name in the test folder; anything else is passed as it is.
    QStringList Paths(const QStringList& names) const {
        QStringList paths;
        for (const QString& name : names) {
            paths << (name.startsWith('@') ? m_dir.filePath(name.mid(1)) : name);
        }
        return paths;
    }

private Q_SLOTS:
    void initTestCase() {
        SetUpApplication(*qobject_cast<QApplication*>(QCoreApplication::instance()));
        QVERIFY(m_dir.isValid());
        for (const char* name : {"x.txt", "b.txt", "a.lnk", "notes.lnk", "notes.LNK", "notes.Lnk", ".lnk", "noext",
                                 "lnk", "dir.lnk.txt"}) {
            QFile file(m_dir.filePath(QLatin1String(name)));
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        QVERIFY(QDir(m_dir.path()).mkdir("somedir"));
        QVERIFY(QDir(m_dir.path()).mkdir("folder.lnk"));
        QVERIFY(QFile::link(m_dir.filePath("nowhere"), m_dir.filePath("dangling")));
        QVERIFY(QFile::link(m_dir.filePath("x.txt"), m_dir.filePath("link-to-x")));
    }

    void intake_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("tab");
        QTest::addColumn<QString>("status");
        QTest::addColumn<QString>("singleSelection");
        QTest::addColumn<QString>("countText");
        QTest::addColumn<QVariant>("handedOver"); // null: no list handed over

        const QString none;
        const QVariant noList;
        const QString inexistent = "Ignoring inexistent files as input arguments";
        const QString directories = "Ignoring directories as input arguments";
        const QString shortcuts = "Ignoring shortcuts as input arguments";
        auto list = [this](const QStringList& names) {
            return QVariant(Paths(names));
        };

        QTest::newRow("no arguments") << QStringList() << 0 << none << none << none << noList;

        // One argument: the single-file tab, whatever becomes of it.
        QTest::newRow("one file") << QStringList{"@x.txt"} << 0 << none << m_dir.filePath("x.txt") << none << noList;
        QTest::newRow("one missing file") << QStringList{"@missing.txt"} << 0 << inexistent << none << none << noList;
        QTest::newRow("one empty argument") << QStringList{""} << 0 << inexistent << none << none << noList;
        QTest::newRow("one dangling link") << QStringList{"@dangling"} << 0 << inexistent << none << none << noList;
        QTest::newRow("one link to a file")
            << QStringList{"@link-to-x"} << 0 << none << m_dir.filePath("link-to-x") << none << noList;
        QTest::newRow("one folder") << QStringList{"@somedir"} << 0 << directories << none << none << noList;
        QTest::newRow("a folder named .lnk is a folder first")
            << QStringList{"@folder.lnk"} << 0 << directories << none << none << noList;
        QTest::newRow("notes.lnk") << QStringList{"@notes.lnk"} << 0 << shortcuts << none << none << noList;
        QTest::newRow("a name that is only .lnk") << QStringList{"@.lnk"} << 0 << shortcuts << none << none << noList;
        QTest::newRow("notes.LNK is an ordinary file")
            << QStringList{"@notes.LNK"} << 0 << none << m_dir.filePath("notes.LNK") << none << noList;
        QTest::newRow("notes.Lnk is an ordinary file")
            << QStringList{"@notes.Lnk"} << 0 << none << m_dir.filePath("notes.Lnk") << none << noList;
        QTest::newRow("a name ending in lnk without the dot")
            << QStringList{"@lnk"} << 0 << none << m_dir.filePath("lnk") << none << noList;
        QTest::newRow("a missing shortcut is missing first")
            << QStringList{"@gone.lnk"} << 0 << inexistent << none << none << noList;

        // Two or more: the multiple-files tab, always.
        QTest::newRow("two missing files")
            << QStringList{"@m1.txt", "@m2.txt"} << 1 << inexistent << none << none << noList;
        QTest::newRow("a.lnk then b.txt")
            << QStringList{"@a.lnk", "@b.txt"} << 1 << shortcuts << none << "1 file selected" << list({"@b.txt"});
        QTest::newRow("b.txt then a.lnk")
            << QStringList{"@b.txt", "@a.lnk"} << 1 << shortcuts << none << "1 file selected" << list({"@b.txt"});
        QTest::newRow("the last ignored argument's message wins")
            << QStringList{"@x.txt", "@missing.txt", "@somedir"} << 1 << directories << none << "1 file selected"
            << list({"@x.txt"});
        QTest::newRow("the last ignored argument's message wins, other order")
            << QStringList{"@somedir", "@x.txt", "@missing.txt"} << 1 << inexistent << none << "1 file selected"
            << list({"@x.txt"});
        QTest::newRow("the same file three times") << QStringList{"@x.txt", "@x.txt", "@x.txt"} << 1 << none << none
                                                   << "3 files selected" << list({"@x.txt", "@x.txt", "@x.txt"});
        QTest::newRow("kept in command-line order")
            << QStringList{"@x.txt", "@notes.LNK", "@b.txt", "@noext", "@dir.lnk.txt"} << 1 << none << none
            << "5 files selected" << list({"@x.txt", "@notes.LNK", "@b.txt", "@noext", "@dir.lnk.txt"});
        QTest::newRow("everything ignored")
            << QStringList{"@notes.lnk", "@somedir"} << 1 << directories << none << none << noList;
    }
    void intake() {
        QFETCH(QStringList, args);
        QFETCH(int, tab);
        QFETCH(QString, status);
        QFETCH(QString, singleSelection);
        QFETCH(QString, countText);
        QFETCH(QVariant, handedOver);
        Form1 form(Paths(args));
        QCOMPARE(form.tabControl->currentIndex(), tab);
        QCOMPARE(form.tabControl->currentWidget(), tab == 0 ? form.tabSingle : form.tabMultiple);
        QCOMPARE(form.toolStripStatusLabel->text(), status);
        QCOMPARE(form.TabSingleOpenFileDialog.FileName, singleSelection);
        QCOMPARE(form.tbTabSingleFilePath->text(), singleSelection);
        QCOMPARE(form.tbTabMultipleFilePath->text(), countText);
        QCOMPARE(form.TabMultipleOpenFileDialog.Tag.isNull(), handedOver.isNull());
        if (!handedOver.isNull()) {
            QCOMPARE(form.TabMultipleOpenFileDialog.Tag.metaType(), QMetaType::fromType<QStringList>());
            QCOMPARE(form.TabMultipleOpenFileDialog.Tag.value<QStringList>(), handedOver.value<QStringList>());
        }
        // The intake selects; it computes nothing.
        QVERIFY(form.TabMultipleOpenFileDialog.FileNames.isEmpty());
        QVERIFY(!form.bgWorker->IsBusy());
        for (QLineEdit* box : {form.tbMD5, form.tbSHA1, form.tbSHA256, form.tbSHA512}) {
            QCOMPARE(box->text(), QString());
        }
    }

    // Nothing kept from several arguments: Calculate finds no selection.
    void nothingKeptThenCalculate() {
        Form1 form(Paths({"@m1.txt", "@m2.txt"}));
        QTest::mouseClick(form.btTabMutipleCalculate, Qt::LeftButton);
        QCOMPARE(form.toolStripStatusLabel->text(), QString("No file selected"));
        QVERIFY(!form.bgWorker->IsBusy());
    }

    // A relative path is kept as given and read against the current folder when the job runs.
    void relativePathsStayRelative() {
        const QString before = QDir::currentPath();
        QVERIFY(QDir::setCurrent(m_dir.path()));
        {
            Form1 single({"x.txt"});
            QCOMPARE(single.TabSingleOpenFileDialog.FileName, QString("x.txt"));
            QCOMPARE(single.tbTabSingleFilePath->text(), QString("x.txt"));

            Form1 multiple({"x.txt", "./b.txt", "somedir"});
            QCOMPARE(multiple.TabMultipleOpenFileDialog.Tag.value<QStringList>(), QStringList({"x.txt", "./b.txt"}));
            QCOMPARE(multiple.toolStripStatusLabel->text(), QString("Ignoring directories as input arguments"));
            QTest::mouseClick(multiple.btTabMutipleCalculate, Qt::LeftButton);
            QTRY_COMPARE(multiple.toolStripStatusLabel->text(), QString("Done"));
            const QString report = multiple.rtbTabMultiple->toPlainText();
            QVERIFY2(report.contains("File      : b.txt\n") && report.contains("File      : x.txt\n"),
                     qPrintable(report));
        }
        QVERIFY(QDir::setCurrent(before));
    }
};

QTEST_MAIN(TestCommandLine)
#include "tst_commandline.moc"
