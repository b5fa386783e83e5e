// Keeps the Win32 library non-empty.
