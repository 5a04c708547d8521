#include "app/mainwindow.h"

#include <gtest/gtest.h>

namespace {

TEST(MainWindow, OpensWithItsTitle)
{
    app::TForm1 window;
    EXPECT_EQ(window.windowTitle().toStdString(), "Visualizador de XML");
}

} // namespace
