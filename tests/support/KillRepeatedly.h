// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Crash safety: a test runs itself again as a separate process that saves a file over and over, kills it
// with SIGKILL at random moments, and looks at what each kill left behind.

#include <QCoreApplication>
#include <QProcess>
#include <QRandomGenerator>
#include <QThread>
#include <csignal>
#include <cstdio>
#include <functional>
#include <gtest/gtest.h>

namespace nibsy::test {

// In the process to kill: the folder it is to save into; empty in the test itself.
inline QString folderToSaveInto() {
    return QString::fromLocal8Bit(qgetenv("NIBSY_KILL_FOLDER"));
}

// In the process to kill: tells the test that the first save is done.
inline void firstSaveDone() {
    fputs("saved\n", stdout);
    fflush(stdout);
}

// Starts this test program as the process to kill, running only the current test with folder to save
// into, count times; every other kill lands after its first save. After each, check() looks at the
// folder.
inline void killRepeatedly(const QString& folder, int count, const std::function<void(int)>& check) {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    const QString filter = QStringLiteral("--gtest_filter=%1.%2").arg(info->test_suite_name(), info->name());
    for (int kill = 0; kill < count; ++kill) {
        QProcess saver;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("NIBSY_KILL_FOLDER"), folder);
        // Its own temporary folders go with the test's.
        env.insert(QStringLiteral("TMPDIR"), folder);
        saver.setProcessEnvironment(env);
        saver.start(QCoreApplication::applicationFilePath(), {filter});
        ASSERT_TRUE(saver.waitForStarted());
        if (kill % 2 == 1) {
            ASSERT_TRUE(saver.waitForReadyRead(30000));
        }
        QThread::msleep(QRandomGenerator::global()->bounded(1, 100));
        ::kill(pid_t(saver.processId()), SIGKILL);
        saver.waitForFinished();
        check(kill);
    }
}

} // namespace nibsy::test
