// Where an element writes the fields of its own kind for the state dump, in a fixed order, so
// the one list of kinds stays with the kinds.
#pragma once

#include <cstdint>
#include <initializer_list>

class FieldWriter {
  public:
    virtual ~FieldWriter() = default;
    virtual void field(const char* name, int64_t value) = 0;
    // A single-precision value, written so that it reads back the same.
    virtual void real(const char* name, float value) = 0;
    // An array of rows of numbers: beginRows, a row for each, endRows.
    virtual void beginRows(const char* name) = 0;
    virtual void row(std::initializer_list<int64_t> values) = 0;
    virtual void endRows() = 0;
};
