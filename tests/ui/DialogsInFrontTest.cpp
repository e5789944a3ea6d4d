// The real dialogs open above a stay-on-top window and take the keyboard, so
// an error raised from the formula dialog is never hidden behind it.
#include "ui/Dialogs.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QProgressDialog>
#include <QTest>
#include <QTimer>

#include <chrono>
#include <stdexcept>
#include <thread>

TEST(DialogsInFrontTest, ErrorBoxOverAStayOnTopWindowStaysOnTopAndIsActive)
{
    QWidget owner;
    QDialog onTop(&owner, Qt::Tool | Qt::WindowStaysOnTopHint);
    owner.show();
    onTop.show();

    bool checked = false;
    QTimer::singleShot(50, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->parentWidget(), &onTop);
        EXPECT_TRUE(box->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        EXPECT_TRUE(QTest::qWaitForWindowActive(box));
        EXPECT_EQ(QApplication::activeWindow(), box);
        checked = true;
        box->done(QMessageBox::Ok);
    });
    TQtDialogs().Error(&onTop, QStringLiteral("値が不正です。"));
    EXPECT_TRUE(checked);
}

TEST(DialogsInFrontTest, WithoutAStayOnTopWindowTheBoxIsPlain)
{
    QWidget owner;
    owner.show();
    bool checked = false;
    QTimer::singleShot(50, [&] {
        QWidget* box = QApplication::activeModalWidget();
        ASSERT_NE(box, nullptr);
        EXPECT_FALSE(box->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        checked = true;
        static_cast<QDialog*>(box)->done(0);
    });
    TQtDialogs().Message(&owner, QStringLiteral("Velquor"));
    EXPECT_TRUE(checked);
}

TEST(DialogsInFrontTest, ProgramDialogParentPrefersAnOpenModalDialog)
{
    QWidget owner;
    EXPECT_EQ(ProgramDialogParent(&owner), &owner);
    QDialog modal(&owner);
    QWidget* seen = nullptr;
    QTimer::singleShot(50, [&] {
        seen = ProgramDialogParent(&owner);
        modal.done(0);
    });
    modal.exec();
    EXPECT_EQ(seen, &modal);
}

TEST(RunWithProgressTest, CancelStopsTheWorkAndTheEventLoopKeepsRunning)
{
    QWidget owner;
    owner.show();
    int ticks = 0;
    QTimer repaint;
    QObject::connect(&repaint, &QTimer::timeout, [&] { ++ticks; });
    repaint.start(10);
    QTimer::singleShot(600, [] {
        auto* box = qobject_cast<QProgressDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr) << "no progress box after 600 ms";
        EXPECT_GT(box->value(), 0);
        box->cancel();
    });
    int last = -1;
    TQtDialogs().RunWithProgress(&owner, QStringLiteral("画像を保存"), [&](const TReportProgress& report) {
        for (int percent = 0; percent <= 100; ++percent) {
            last = percent;
            if (!report(percent)) return;
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
    });
    EXPECT_LT(last, 100) << "the work ran to the end despite the cancel";
    EXPECT_GT(ticks, 20) << "the window stopped serving events";
}

TEST(RunWithProgressTest, WhatTheWorkThrowsArrivesHere)
{
    EXPECT_THROW(TQtDialogs().RunWithProgress(nullptr, QStringLiteral("x"),
                                              [](const TReportProgress&) { throw std::runtime_error("disk full"); }),
                 std::runtime_error);
}
