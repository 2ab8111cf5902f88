// The port doctor on the real machine: /proc and the device file, for a
// pseudo-terminal that another process holds open.
#include "platform/SystemPorts.h"

#include <gtest/gtest.h>

#include <QProcess>
#include <QString>

#include "RawPty.h"

namespace tavix {
namespace {

TEST(SystemPorts, TheDoctorNamesTheProcessHoldingAPortAndAMissingOne) {
    sim::RawPty pty;
    std::string error;
    ASSERT_TRUE(pty.Open(error)) << error;
    QProcess holder;
    holder.setStandardInputFile(QString::fromStdString(pty.Path()));
    holder.start(QStringLiteral("sleep"), {QStringLiteral("30")});
    ASSERT_TRUE(holder.waitForStarted(3000));

    // This process holds it too (the master's side keeps the slave open): not named.
    const PortReport report = DiagnoseLocalPort(pty.Path());
    EXPECT_TRUE(report.found);
    EXPECT_EQ(report.cause, "in use by process " + std::to_string(holder.processId()) + " (sleep)")
        << report.Text();
    EXPECT_NE(report.Text().find("Kind:         character device"), std::string::npos);

    holder.kill();
    holder.waitForFinished(3000);
    // Nothing holds it now (as a user, others' processes may stay unseen: "perhaps").
    EXPECT_EQ(DiagnoseLocalPort(pty.Path()).cause.rfind("in use", 0), std::string::npos);

    const PortReport missing = DiagnoseLocalPort("/dev/tavix-no-such-port");
    EXPECT_FALSE(missing.found);
    EXPECT_EQ(missing.cause.rfind("not found; ", 0), 0u) << missing.cause;
}

}  // namespace
}  // namespace tavix
