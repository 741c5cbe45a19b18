#pragma once
// The user's number format, read once from the locale at start-up. Only the
// program's own number formatting applies it; SQL, XML attribute values and
// CSV byte counts stay plain.
struct TFormatSettings {
  char DecimalSeparator = '.';
};

extern TFormatSettings AppFormatSettings;
