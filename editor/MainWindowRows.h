// The main window's menu, tool bar and side-panel rows (MainWindowRows.cpp).
#pragma once

#include <vector>

#include "MenuRows.h"

const std::vector<TMenuRow>& MainWindowRows();
