#pragma once
// Runs the program on the headless screen until its splash has gone and the main window is up to date,
// saves the main window as a PNG and closes it as a person would.

class CPelicanApp;

bool RunForScreenshot(CPelicanApp& app, const char* pngPath);
