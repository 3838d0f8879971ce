// orlin --version and orlin-cli --version print the version of the program's version record.

#include <QProcess>

#include "tests/support/window_test.h"
#include "ui/version_info.h"

namespace orlin::test {
namespace {

TEST(VersionOption, BothProgramsPrintTheVersionOfTheRecord) {
    const QString version = VersionInfo(ORLIN_PROGRAM).value(QStringLiteral("FileVersion"));
    ASSERT_NE(version, QStringLiteral("n/a"));
    const struct {
        const char* program;
        QString expected;
    } cases[] = {{ORLIN_PROGRAM, QStringLiteral("Orlin ") + version + "\n"},
                 {ORLIN_CLI, QStringLiteral("orlin-cli ") + version + "\n"}};
    for (const auto& c : cases) {
        QProcess process;
        process.start(c.program, {QStringLiteral("--version")});
        ASSERT_TRUE(process.waitForFinished(20000)) << c.program;
        EXPECT_EQ(process.exitCode(), 0) << c.program;
        EXPECT_EQ(QString::fromUtf8(process.readAllStandardOutput()), c.expected) << c.program;
    }
}

}  // namespace
}  // namespace orlin::test
