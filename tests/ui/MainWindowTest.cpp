
TEST_F(MainWindowTest, SettingsThatCannotBeWrittenAreReportedAtExit)
{
    // The settings "file" is a folder: loading finds nothing, saving fails.
    QDir(tmp_.path()).mkdir(QStringLiteral("settings.ini"));
    CreateShown();
    EXPECT_TRUE(dialogs_.exceptions.isEmpty());
    window_.reset();
    ASSERT_EQ(dialogs_.exceptions.size(), 1);
    EXPECT_TRUE(dialogs_.exceptions.front().endsWith(QLatin1Char('.')));
}
