#pragma once

// The load sequence of the main window Form1.
void MainWindow_Load();
