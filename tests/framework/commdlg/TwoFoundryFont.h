#pragma once
// A font family that two foundries offer, so that the toolkit lists it with foundry
// suffixes ("Zelmte Sans [ZlmA]"): copies of DejaVu Sans renamed and given two
// vendor ids, registered with the application for the rest of the test run.

#include <QString>

// The family name ("Zelmte Sans"), or empty when the fonts could not be made.
QString InstallTwoFoundryFamily();
