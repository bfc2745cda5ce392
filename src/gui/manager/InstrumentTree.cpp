#include "InstrumentTree.h"

#include "common/Pictures.h"

InstrumentTree::InstrumentTree(QWidget *parent) : QTreeWidget(parent)
{
    setHeaderHidden(true);
    setColumnCount(1);
    // Plain style: levels show by indentation and pictures only.
    setRootIsDecorated(false);
    setIconSize(Pictures::treeSize());
    setUniformRowHeights(true);
}

void InstrumentTree::setRoots(int portNumber)
{
    clear();
    m_job = nullptr;
    m_firstPort = nullptr;
    const QIcon plug = Pictures::treeIcon(Pictures::Tree::Plug);
    auto *com1 = new QTreeWidgetItem(this, {QStringLiteral("COM1")});
    com1->setIcon(0, plug);
    com1->setData(0, kKindRole, Root);
    m_port = com1;
    if (portNumber >= 2 && portNumber <= 16) {
        m_firstPort = com1;
        m_port = new QTreeWidgetItem(this, {QStringLiteral("COM%1").arg(portNumber)});
        m_port->setIcon(0, plug);
        m_port->setData(0, kKindRole, Root);
    }
}

InstrumentTree::NodeKind InstrumentTree::kindOf(const QTreeWidgetItem *node)
{
    return node ? NodeKind(node->data(0, kKindRole).toInt()) : NodeKind(0);
}

int InstrumentTree::slotOf(const QTreeWidgetItem *node)
{
    return node ? node->data(0, kSlotRole).toInt() : -1;
}
