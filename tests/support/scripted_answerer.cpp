#include "support/scripted_answerer.h"

namespace test_support {

bool Scripted_Answerer::Show_Confirmation(const store::Confirmation_Request& request)
{
    requests.push_back(request);
    if (!request.first_shown)
        return false;
    if (answers.empty())
        return false;
    const bool answer = answers.front();
    answers.pop_front();
    return answer;
}

void Scripted_Answerer::Show_Message_Box(const QString& text)
{
    Show_Titled_Message_Box(text, QString());
}

void Scripted_Answerer::Show_Titled_Message_Box(const QString& text, const QString& title)
{
    message_boxes << text;
    message_box_titles << title;
}

QStringList Scripted_Answerer::Lines1() const
{
    QStringList lines;
    for (const auto& r : requests)
        lines << r.line1;
    return lines;
}

QStringList Scripted_Answerer::Shown() const
{
    QStringList shown;
    for (const auto& r : requests)
        shown << r.line1 + QLatin1Char('/') + r.line2;
    return shown;
}

}  // namespace test_support
