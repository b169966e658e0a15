// A Convert planned with the machine's tool list, and the request that writes it.

#include "ConvertPlan.h"

#include <algorithm>
#include <utility>

ConvertPlan ConvertPlan::make(MergeRequest request, const std::string& toolListPath, bool apply)
{
    ConvertPlan convert;
    request.readTools = true;
    convert.toolList = readJobToolList(toolListPath);
    MergeReport first;
    if (apply) {
        first = planToolSpeeds(request, convert.toolList);
        if (!first.succeeded()) {
            convert.checked = {std::move(first), {}};
            return convert;
        }
        request.plan = &first; // the speeds hold for the inputs as it read them
    }
    convert.checked = PlanAndCheck(request, toolListCheck(convert.toolList, apply));
    convert.toolSpeeds = request.toolSpeeds;
    const ToolListReadResult& list = convert.toolList.list;
    convert.toolSheet = makeToolSheet(convert.checked.plan, list.read ? &list.tools : nullptr,
                                      convert.checked.findings);
    return convert;
}

MergeRequest ConvertPlan::writing(MergeRequest request) const
{
    request.plan = &checked.plan;
    // The plan holds what the tools do; the writing reads them only to change their speeds.
    request.readTools = std::any_of(toolSpeeds.begin(), toolSpeeds.end(),
                                    [](const ToolSpeeds& speeds) { return !speeds.empty(); });
    request.toolSpeeds = toolSpeeds;
    return request;
}
