// Reading the game's sound files: RIFF wave, 8- or 16-bit PCM, any number of channels.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Decodes wave bytes to 16-bit mono samples (channels averaged) at the file's own rate; false when
// they are not such a file or hold no sample.
bool decodeWaveBytes(std::string_view bytes, std::vector<int16_t>& samples, int& rate);
// The same from a file; only a regular file is read, so a FIFO in a sound's place never stalls.
bool decodeWave(const std::string& path, std::vector<int16_t>& samples, int& rate);
