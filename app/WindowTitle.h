#pragma once

// The main window's title; the tests find the window by it.
inline constexpr const char* mainWindowTitle = "Varnholt's Sample Proj 3";
