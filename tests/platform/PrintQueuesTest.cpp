// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The print queues asked of a real CUPS scheduler: a private one started for the test in a temporary
// folder, with one queue that prints into /dev/null.
#include "platform/PrintQueues.h"
#include "platform/Printing.h"

#include "support/FakePlatform.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <cups/cups.h>
#include <gtest/gtest.h>
#include <unistd.h>

using namespace nibsy;

namespace {

class PrivateCups {
public:
    PrivateCups() {
        const QString root = m_dir.path();
        for (const char* sub : {"spool/tmp", "cache", "state", "log"}) {
            QDir(root).mkpath(QString::fromLatin1(sub));
        }
        for (const char* sub : {"/spool", "/spool/tmp"}) {
            QFile::setPermissions(root + QString::fromLatin1(sub), QFileDevice::Permissions(0x7777));
        }
        const QStringList conf{
            QStringLiteral("cupsd.conf"),
            "Listen " + m_socket +
                "\nLogLevel warn\nWebInterface No\nDefaultAuthType None\n"
                "<Location />\nOrder allow,deny\nAllow all\n</Location>\n"
                "<Policy default>\n<Limit All>\nOrder allow,deny\nAllow all\n</Limit>\n</Policy>\n",
            QStringLiteral("cups-files.conf"),
            QStringLiteral("ServerRoot %1\nRequestRoot %1/spool\nCacheDir %1/cache\nStateDir %1/state\n"
                           "TempDir %1/spool/tmp\nErrorLog %1/log/error_log\nAccessLog %1/log/access_log\n"
                           "PageLog %1/log/page_log\nSystemGroup root\nFileDevice Yes\n")
                .arg(root)};
        for (qsizetype i = 0; i < conf.size(); i += 2) {
            QFile f(m_dir.filePath(conf[i]));
            EXPECT_TRUE(f.open(QIODevice::WriteOnly) && f.write(conf[i + 1].toUtf8()) > 0);
        }
        m_cupsd.start(QStringLiteral("cupsd"),
                      {QStringLiteral("-f"), QStringLiteral("-c"), m_dir.filePath(conf[0]),
                       QStringLiteral("-s"), m_dir.filePath(conf[2])});
        const QDeadlineTimer deadline(10000);
        while (m_cupsd.waitForStarted(5000) && !QFileInfo::exists(m_socket) && !deadline.hasExpired()) {
            QThread::msleep(20);
        }
        cupsSetServer(QFile::encodeName(m_socket).constData());
    }
    ~PrivateCups() {
        cupsSetServer(nullptr);
        m_cupsd.terminate();
        m_cupsd.waitForFinished(5000);
    }
    PrivateCups(const PrivateCups&) = delete;
    PrivateCups& operator=(const PrivateCups&) = delete;

    bool running() const { return m_cupsd.state() == QProcess::Running && QFileInfo::exists(m_socket); }

    // Runs one of CUPS's administration commands against this scheduler.
    bool admin(const QString& program, const QString& args) {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("CUPS_SERVER"), m_socket);
        p.setProcessEnvironment(env);
        p.start(program, args.split(u' '));
        const bool ok =
            p.waitForFinished(10000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
        EXPECT_TRUE(ok) << program.toStdString() << ": " << p.readAllStandardError().toStdString();
        return ok;
    }

private:
    QTemporaryDir m_dir{QStringLiteral("/tmp/nibsy-cups-XXXXXX")}; // a socket path must be short
    QString m_socket = m_dir.filePath(QStringLiteral("cups.sock"));
    QProcess m_cupsd;
};

} // namespace

TEST(CupsQueues, SeesARejectingOrPausedQueueAndWhatTheSchedulerDoesWithAJob) {
    if (QStandardPaths::findExecutable(QStringLiteral("cupsd"), {QStringLiteral("/usr/sbin")}).isEmpty())
        GTEST_SKIP() << "the CUPS scheduler is not installed";
    if (geteuid() != 0)
        GTEST_SKIP() << "a private CUPS scheduler needs the superuser";
    test::FakePlatform fake;
    PrivateCups cups;
    ASSERT_TRUE(cups.running());
    CupsQueues queues;
    EXPECT_EQ(queues.defaultQueue(), QString());
    ASSERT_TRUE(cups.admin(QStringLiteral("lpadmin"), QStringLiteral("-p Office -E -v file:///dev/null")));
    ASSERT_TRUE(cups.admin(QStringLiteral("lpadmin"), QStringLiteral("-d Office")));
    EXPECT_EQ(queues.defaultQueue(), QStringLiteral("Office"));
    EXPECT_FALSE(queues.state(QStringLiteral("Nowhere")).has_value());

    const QString pdf = fake.scratch() + QStringLiteral("/page.pdf");
    {
        auto job = PdfPrinter(pdf).begin(nullptr, QStringLiteral("Page"));
        ASSERT_NE(job, nullptr);
        job->painter().drawLine(0, 0, 1440, 1440);
        ASSERT_EQ(job->end().result, PrintOutcome::Result::SavedAsPdf);
    }
    struct Step {
        const char* command; // what the administrator does to the queue first
        bool accepting, paused, taken;
    };
    for (const Step& s : {Step{nullptr, true, false, true}, Step{"cupsreject", false, false, false},
                          Step{"cupsaccept", true, false, true}, Step{"cupsdisable", true, true, true}}) {
        SCOPED_TRACE(s.command ? s.command : "ready");
        if (s.command) {
            ASSERT_TRUE(cups.admin(QString::fromLatin1(s.command), QStringLiteral("Office")));
        }
        const auto state = queues.state(QStringLiteral("Office"));
        ASSERT_TRUE(state.has_value());
        EXPECT_EQ(state->accepting, s.accepting);
        EXPECT_EQ(state->paused, s.paused);
        QString error;
        const int id = queues.submit(QStringLiteral("Office"), pdf, QStringLiteral("Worksheet"), &error);
        EXPECT_EQ(id > 0, s.taken) << error.toStdString();
        EXPECT_EQ(error.isEmpty(), s.taken) << error.toStdString();
    }

    // The whole way: a rejecting queue is told and the page offered as a PDF file.
    ASSERT_TRUE(cups.admin(QStringLiteral("cupsreject"), QStringLiteral("Office")));
    fake.dialogs.answerOk = false;
    QtPrinter printer;
    auto job = printer.begin(nullptr, QStringLiteral("Worksheet"));
    ASSERT_NE(job, nullptr);
    const PrintOutcome outcome = job->end();
    EXPECT_EQ(outcome.result, PrintOutcome::Result::NotPrinted);
    ASSERT_EQ(fake.dialogs.shown.size(), 1);
    EXPECT_TRUE(fake.dialogs.shown[0].text.startsWith(QStringLiteral("The printer Office is not taking")))
        << fake.dialogs.shown[0].text.toStdString();
}
