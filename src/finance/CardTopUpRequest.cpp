#include "finance/CardTopUpRequest.h"

#include "api/ApiClient.h"
#include "api/ApiReply.h"
#include "api/Endpoints.h"
#include "net/FieldList.h"

namespace cloud::CardTopUpRequest {

std::string send(const std::string &cardNumber, const std::string &cardPassword)
{
    FieldList form;
    form.add("cid", cardNumber);
    form.add("cpass", cardPassword);
    return ApiClient::fromSession().postForm(api::kCardTopUp, form);
}

const Outcome &outcomeOf(std::string_view reply)
{
    for (const Outcome &outcome : kOutcomes)
        if (ApiReply::isCode(reply, outcome.reply))
            return outcome;
    return kOtherReply;
}

} // namespace cloud::CardTopUpRequest
