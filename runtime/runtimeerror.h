#pragma once

#include <exception>
#include <string>

namespace rt {

enum ErrorNumber : int {
    InvalidProcedureCall = 5,
    Overflow = 6,
    DivisionByZero = 11,
    FileNotFound = 53,
};

// A raised runtime error. It travels as an exception up to the handler's dispatcher or to an
// armed trap.
class RuntimeError : public std::exception
{
public:
    explicit RuntimeError(int number) noexcept : m_number(number) {}

    int number() const noexcept { return m_number; }
    std::u16string description() const;
    const char *what() const noexcept override;

private:
    int m_number;
};

std::u16string errorDescription(int number);

[[noreturn]] void raise(int number);

} // namespace rt
