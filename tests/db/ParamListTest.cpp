#include "ParamList.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using db::ParamList;

namespace {
QString writeFile(const QTemporaryDir& dir, const QByteArray& bytes)
{
    const QString path = dir.path() + QStringLiteral("/dbconfig.txt");
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(bytes);
    return path;
}
} // namespace

TEST(ParamList, NamesIgnoreCaseAndSetReplacesFirstOrAppends)
{
    ParamList list(QStringList{"Database=a", "user_name=x", "DATABASE=b"});
    EXPECT_EQ(list.value("database"), "a");
    list.setValue("dataBASE", "c");
    EXPECT_EQ(list.lines(), (QStringList{"Database=c", "user_name=x", "DATABASE=b"}));
    list.setValue("password", "p=q");
    EXPECT_EQ(list.lines().last(), "password=p=q");
    EXPECT_EQ(list.value("password"), "p=q");
    EXPECT_EQ(list.value("rolename"), "");
    EXPECT_FALSE(list.contains("rolename"));
}

TEST(ParamList, LoadingAFileReplacesTheListExactlyAsWritten)
{
    QTemporaryDir dir;
    ParamList list(QStringList{"VendorLib=x", "password=old"});
    list.loadFromFile(writeFile(dir, "Database=d1\r\n\r\nuser_name= spaced \nrolename=R\rlast=1"));
    EXPECT_EQ(list.lines(), (QStringList{"Database=d1", "", "user_name= spaced ", "rolename=R", "last=1"}));
    EXPECT_FALSE(list.contains("password"));

    list.loadFromFile(writeFile(dir, ""));
    EXPECT_TRUE(list.lines().isEmpty());
}

TEST(ParamList, ByteOrderMarkSelectsTheEncoding)
{
    QTemporaryDir dir;
    ParamList list;
    list.loadFromFile(writeFile(dir, QByteArray("\xEF\xBB\xBF") + QString("Database=/資料/帳.fdb\r\n").toUtf8()));
    EXPECT_EQ(list.lines(), QStringList{"Database=/資料/帳.fdb"});

    const QString text = "Database=/資料/帳.fdb\r\nuser_name=管理\r\n";
    QByteArray utf16("\xFF\xFE");
    for (QChar c : text) {
        utf16.append(char(c.unicode() & 0xFF));
        utf16.append(char(c.unicode() >> 8));
    }
    list.loadFromFile(writeFile(dir, utf16));
    EXPECT_EQ(list.lines(), (QStringList{"Database=/資料/帳.fdb", "user_name=管理"}));
}

TEST(ParamList, UnreadableFileFailsWithTheSystemsFileError)
{
    ParamList list(QStringList{"Database=kept"});
    try {
        list.loadFromFile("/nonexistent/dbconfig.txt");
        FAIL() << "no error";
    } catch (const std::runtime_error& e) {
        EXPECT_NE(QString::fromUtf8(e.what()).indexOf("No such file"), -1) << e.what();
    }
    EXPECT_EQ(list.value("Database"), "kept");
}
