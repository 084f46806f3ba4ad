#include "daqlink/board/BoardText.h"
#include "daqlink/board/ComediBackend.h"

namespace daqboard {

std::unique_ptr<TBackend> OpenComediBackend(const TBoardSettings &, std::string *whyNot)
{
    if (whyNot)
        *whyNot = Tr(QT_TRANSLATE_NOOP("daqlink", "библиотека собрана без поддержки Comedi"));
    return nullptr;
}

} // namespace daqboard
