#include "runtimeerror.h"

namespace rt {

std::u16string errorDescription(int number)
{
    switch (number) {
    case InvalidProcedureCall:
        return u"无效的过程调用或参数";
    case Overflow:
        return u"溢出";
    case DivisionByZero:
        return u"除数为零";
    case FileNotFound:
        return u"文件未找到";
    default:
        return u"应用程序定义的错误或对象定义的错误";
    }
}

std::u16string RuntimeError::description() const
{
    return errorDescription(m_number);
}

const char *RuntimeError::what() const noexcept
{
    return "runtime error";
}

void raise(int number)
{
    throw RuntimeError(number);
}

} // namespace rt
