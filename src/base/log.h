// The text log log.txt: one entry per call, switched by one flag that stays off in play.
#pragma once

void logStart();
void logLine(const char* format, ...) __attribute__((format(printf, 1, 2)));
void logAppend(const char* format, ...) __attribute__((format(printf, 1, 2)));
void logEnable();
void logDisable();
bool logIsEnabled();
// Game-world errors pause the game 100 ms after their log line.
void pauseAfterError();
