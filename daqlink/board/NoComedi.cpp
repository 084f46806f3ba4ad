#include "daqlink/board/ComediBackend.h"

namespace daqboard {

std::unique_ptr<TBackend> OpenComediBackend(const TBoardSettings &, std::string *whyNot)
{
    if (whyNot)
        *whyNot = "библиотека собрана без поддержки Comedi";
    return nullptr;
}

} // namespace daqboard
