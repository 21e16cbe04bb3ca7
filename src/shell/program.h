#pragma once
// Start-up: the application object, its title and the seven windows, created in
// this order, the main window first.

void CreateApplicationForms();
// Initialises, creates the forms, runs the message loop; returns the exit code.
int RunProgram();
