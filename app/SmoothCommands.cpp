#include "app/SmoothCommands.h"

#include "app/core/LocaleFormat.h"
#include "app/core/Prompt.h"
#include "numerics/SmoothFuncs.h"

#include <QCoreApplication>
#include <QString>

#include <algorithm>
#include <cstdint>
#include <vector>

namespace {

// Texts in the language installed when they are shown, not at start-up.
QString MeanCaption() { return QCoreApplication::translate("SmoothCommands", "Сглаживание скользящим средним"); }
QString SplineCaption() { return QCoreApplication::translate("SmoothCommands", "Сглаживание сплайном"); }
const QString kDefaultParameter = QStringLiteral("10");
QString SplineFailed()
{
    return QCoreApplication::translate("SmoothCommands", "Сглаживание сплайном невозможно: канал не изменён!");
}

// Asks for the filter parameter `name` ("M" or "R"). Cancel keeps the default
// text. A text that is not a 32-bit integer, or a negative value, is refused
// with a message: nullopt, and the command ends without changing anything.
std::optional<int32_t> AskParameter(const QString &caption, const QString &name)
{
    const QString text = Prompt()
                             .InputText(caption, name + QStringLiteral(" = "), kDefaultParameter)
                             .value_or(kDefaultParameter);
    int32_t value = 0;
    if (!LocaleParseInt(text, value)) {
        Prompt().Message(QCoreApplication::translate("SmoothCommands", "\"%1\" не является целым числом!").arg(text));
        return std::nullopt;
    }
    if (value < 0) {
        Prompt().Message(QCoreApplication::translate("SmoothCommands", "%1 не может быть отрицательным!").arg(name));
        return std::nullopt;
    }
    return value;
}

// Writes values back into slots 1..n of the channel (n = the values' count,
// never more than the run's valid count).
void StoreChannel(TRunData &run, TChannel channel, const std::vector<double> &values)
{
    const int32_t n = std::min(static_cast<int32_t>(values.size()), ValidCount(run));
    for (int32_t i = 0; i < n; ++i) {
        switch (channel) {
        case TChannel::T: run.T[i] = values[i]; break;
        case TChannel::L: run.L[i] = values[i]; break;
        case TChannel::TC: run.TC[i] = values[i]; break;
        }
    }
}

void Redraw(const TRunRedraw &setMainGraphic)
{
    if (setMainGraphic)
        setMainGraphic();
}

std::optional<TChannel> ChooseChannel(const TChannelChoice &chooseChannel)
{
    return chooseChannel ? chooseChannel() : std::nullopt;
}

} // namespace

void SmoothMeanClick(TRunData &run, const TChannelChoice &chooseChannel, const TRunRedraw &setMainGraphic)
{
    const std::optional<TChannel> channel = ChooseChannel(chooseChannel);
    if (!channel)
        return;
    const std::optional<int32_t> M = AskParameter(MeanCaption(), QStringLiteral("M"));
    if (!M)
        return;
    std::vector<double> y = ChannelValues(run, *channel);
    numerics::MovingAverage(static_cast<int32_t>(y.size()), y.data(), *M);
    StoreChannel(run, *channel, y);
    Redraw(setMainGraphic);
}

void SmoothPolyClick(TRunData &run, const TChannelChoice &chooseChannel, const TRunRedraw &setMainGraphic)
{
    const std::optional<TChannel> channel = ChooseChannel(chooseChannel);
    if (!channel)
        return;
    std::vector<double> y = ChannelValues(run, *channel);
    numerics::SevenPointSmooth(static_cast<int32_t>(y.size()), y.data());
    StoreChannel(run, *channel, y);
    Redraw(setMainGraphic);
}

void SmoothSplineClick(TRunData &run, const TChannelChoice &chooseChannel, const TRunRedraw &setMainGraphic)
{
    const std::optional<TChannel> channel = ChooseChannel(chooseChannel);
    if (!channel)
        return;
    const std::optional<int32_t> R = AskParameter(SplineCaption(), QStringLiteral("R"));
    if (!R)
        return;
    std::vector<double> y = ChannelValues(run, *channel);
    const int32_t n = static_cast<int32_t>(y.size());
    // Fewer than three samples have no smoothing spline: the channel stays as
    // it is, like a run too short for the other two filters.
    if (n >= 3) {
        const numerics::Status status =
            numerics::SplineSmooth(n, TimeAxis().data(), y.data(), static_cast<double>(*R));
        if (status != numerics::Status::Ok) {
            Prompt().Message(SplineFailed());
            return;
        }
        StoreChannel(run, *channel, y);
    }
    Redraw(setMainGraphic);
}
