#include "app/CPelicanApp.h"

CPelicanApp::CPelicanApp() = default;

CPelicanApp::~CPelicanApp() = default;
