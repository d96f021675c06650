#include "platform/ProfileFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/resource.h>

using namespace platform;

namespace {

void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

QByteArray readBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestProfileFile : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    QString path() const { return dir.filePath("test.ini"); }

private slots:
    void init() {
        QFile::setPermissions(path(), QFile::ReadOwner | QFile::WriteOwner);
        QFile::remove(path());
    }

    void readString_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("expected"); // "dflt" is the default
        const QByteArray ini = "top=0\r\n; [S]\r\n[ Sec ]\r\n  Key \t= a \"b\" \t\r\n;Other=c\r\nkey=second\r\n"
                               "[A\xC7\xC3O]\r\nx=S\xE3o\r\n[sec]\r\nother=late\r\n";
        QTest::newRow("case and blanks ignored") << ini << "sEC"
                                                 << "KEY"
                                                 << "a \"b\"";
        QTest::newRow("latin-1 case folding and decoding")
            << ini << QString::fromUtf8("ação") << "X" << QString::fromUtf8("São");
        QTest::newRow("commented key") << ini << "Sec"
                                       << "Other"
                                       << "dflt";
        QTest::newRow("first section of a name wins") << ini << "sec"
                                                      << "other"
                                                      << "dflt";
        QTest::newRow("key before any section") << ini << ""
                                                << "top"
                                                << "dflt";
        QTest::newRow("missing file") << QByteArray() << "Sec"
                                      << "Key"
                                      << "dflt";
    }
    void readString() {
        QFETCH(QByteArray, content);
        QFETCH(QString, section);
        QFETCH(QString, key);
        if (!content.isNull())
            writeBytes(path(), content);
        QTEST(ProfileFile(path()).readString(section, key, "dflt"), "expected");
    }

    void readInteger_data() {
        QTest::addColumn<QByteArray>("value");
        QTest::addColumn<int>("expected"); // 7 is the default
        for (const auto& [value, expected] :
             std::initializer_list<std::pair<const char*, int>>{{" +42", 42},
                                                                {"-42", -42},
                                                                {"0x1F", 31},
                                                                {"0Xff", 255},
                                                                {"2147483647", 2147483647},
                                                                {"-2147483648", -2147483647 - 1},
                                                                {"2147483648", 7},
                                                                {"0x80000000", 7},
                                                                {"", 7},
                                                                {"0x", 7},
                                                                {"12abc", 7},
                                                                {"1 2", 7},
                                                                {"0x1G", 7},
                                                                {"-", 7}})
            QTest::newRow(*value ? value : "(empty)") << QByteArray(value) << expected;
    }
    void readInteger() {
        QFETCH(QByteArray, value);
        writeBytes(path(), "[S]\nn=" + value + "\n");
        QTEST(ProfileFile(path()).readInteger(u"s", u"N", 7), "expected");
    }

    void writeString_data() {
        QTest::addColumn<QByteArray>("before"); // null: no file
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QByteArray>("after");
        QTest::newRow("new file") << QByteArray() << "S"
                                  << "k" << QByteArray("[S]\r\nk=S\xE3o ?\r\n");
        QTest::newRow("empty file") << QByteArray("") << "S"
                                    << "k" << QByteArray("[S]\r\nk=S\xE3o ?\r\n");
        QTest::newRow("existing key keeps its spelling, the rest stays")
            << QByteArray("; c\xE9\r\n[Sec]\r\n  MyKey = old \r\nother=1\r\n\r\n[B]\n\tx = \xE9") << "sec"
            << "MYKEY" << QByteArray("; c\xE9\r\n[Sec]\r\nMyKey=S\xE3o ?\r\nother=1\r\n\r\n[B]\n\tx = \xE9");
        QTest::newRow("new key after the section's last non-blank line")
            << QByteArray("[A]\na=1\r\n;c\n\n[B]\nb=2") << "a"
            << "k" << QByteArray("[A]\na=1\r\n;c\nk=S\xE3o ?\n\n[B]\nb=2");
        QTest::newRow("new key in a last section without final newline")
            << QByteArray("[A]\r\na=1") << "A"
            << "k" << QByteArray("[A]\r\na=1\r\nk=S\xE3o ?\r\n");
        QTest::newRow("new section, no final newline") << QByteArray("[A]\na=1") << "N"
                                                       << "k" << QByteArray("[A]\na=1\n[N]\nk=S\xE3o ?\n");
    }
    void writeString() {
        QFETCH(QByteArray, before);
        QFETCH(QString, section);
        QFETCH(QString, key);
        if (!before.isNull())
            writeBytes(path(), before);
        ProfileFile profile(path());
        const QString value = QString::fromUtf8("São Ł");
        profile.writeString(section, key, value);
        QTEST(readBytes(path()), "after");
        QCOMPARE(profile.readString(section, key), QString::fromUtf8("São ?"));
    }

    void refusedWrite_data() {
        QTest::addColumn<QString>("target");
        QTest::newRow("parent is a file") << "test.ini/x.ini";
        QTest::newRow("missing folder") << "missing/x.ini";
        QTest::newRow("target is a folder") << ".";
    }
    void refusedWrite() {
        QFETCH(QString, target);
        writeBytes(path(), "[S]\r\nk=v\r\n");
        const QString full = dir.filePath(target);
        try {
            ProfileFile(full).writeString(u"S", u"k", u"w");
            QFAIL("no error raised");
        } catch (const ProfileWriteError& error) {
            QCOMPARE(error.message(), "Unable to write to " + full);
            QCOMPARE(QString::fromUtf8(error.what()), error.message());
        }
    }

    void readOnlyFileIsKept() {
        const QByteArray original = "[S]\r\nk=v\r\n";
        writeBytes(path(), original);
        QVERIFY(QFile::setPermissions(path(), QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
        if (QFile file(path()); file.open(QIODevice::ReadWrite))
            QSKIP("file permissions do not stop this user (root)");
        QVERIFY_THROWS_EXCEPTION(ProfileWriteError, ProfileFile(path()).writeString(u"S", u"k", u"w"));
        QCOMPARE(readBytes(path()), original);
    }

    // The file size limit stops writes even for root, so the failure happens
    // halfway through writing the new content.
    void failedWriteKeepsOriginal() {
        const QByteArray original = "; keep\r\n[S]\r\nk=v\r\n";
        writeBytes(path(), original);
        rlimit saved{};
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &saved), 0);
        const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit small = saved;
        small.rlim_cur = 64;
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
        bool thrown = false;
        try {
            ProfileFile(path()).writeString(u"S", u"k", QString(200, 'x'));
        } catch (const ProfileWriteError&) {
            thrown = true;
        }
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, oldHandler);
        QVERIFY(thrown);
        QCOMPARE(readBytes(path()), original);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"test.ini"});
    }
};

QTEST_GUILESS_MAIN(TestProfileFile)
#include "tst_profilefile.moc"
