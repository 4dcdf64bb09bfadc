// The report-style list: its selected row, its right-click event, and the
// row methods.

#include "host/values/codec_p.h"
#include "host/runtime/runtime_p.h"
#include "host/units/styling_p.h"
#include "host/widgets/reportlist_p.h"

namespace host {
namespace detail {
namespace {

QObject* createList(const UnitLayout& layout, QWidget* parent, UnitRef ref)
{
    auto* list = new ReportList(parent);
    for (const ListColumn& column : layout.columns)
        list->addColumn(codec::toQString(column.header), column.width);
    if (layout.textColor)
        list->setTextColor(toQColor(*layout.textColor));
    if (layout.backgroundColor)
        list->setBackgroundColor(toQColor(*layout.backgroundColor));
    QObject::connect(list, &ReportList::rightClicked, list, [ref] { raiseEvent(ref, event::rightClicked); });
    return list;
}

} // namespace

const UnitTypeInfo& listType()
{
    static const UnitTypeInfo type{
        .type = UnitType::ListView,
        .create = createList,
        .properties = {{prop::currentRow,
                        [](const Access& access) -> Value { return access.as<ReportList>()->currentRow(); },
                        [](const Access& access, const Value& value) {
                            access.as<ReportList>()->setCurrentRow(value.toInt());
                        }}},
        .events = {event::rightClicked},
    };
    return type;
}

} // namespace detail

namespace {

ReportList* listOf(UnitRef unit)
{
    detail::UnitState& state = detail::unitState(unit);
    return state.type == &detail::listType() ? static_cast<ReportList*>(state.widget()) : nullptr;
}

} // namespace

Text listGetCell(UnitRef list, int row, int column)
{
    ReportList* widget = listOf(list);
    return widget ? codec::fromQString(widget->cell(row, column)) : Text();
}

bool listSetCell(UnitRef list, int row, int column, const Text& text)
{
    ReportList* widget = listOf(list);
    return widget && widget->setCell(row, column, codec::toQString(text));
}

int listRowCount(UnitRef list)
{
    ReportList* widget = listOf(list);
    return widget ? widget->rowCount() : 0;
}

int listInsertRow(UnitRef list, int position, const Text& firstCell)
{
    ReportList* widget = listOf(list);
    return widget ? widget->insertRow(position, codec::toQString(firstCell)) : -1;
}

bool listDeleteRow(UnitRef list, int row)
{
    ReportList* widget = listOf(list);
    return widget && widget->deleteRow(row);
}

} // namespace host
