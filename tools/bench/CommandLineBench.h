#pragma once

// One "convert" of the command line as a whole process, without a display, against a bare
// QCoreApplication program, and the program's "--version" beside them (its loading alone): the
// medians of several starts of each, taken in turn in this run.
void reportCommandLineConvert();
