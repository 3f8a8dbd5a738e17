#pragma once
// The framework's doubly linked list of values. Nodes come from blocks of nBlockSize
// nodes and go back to a free list when removed; the blocks are released when the
// list becomes empty.

#include <zelmtools/platform/base/export.h>
#include <cstddef>
#include <memory>
#include <new>
#include <utility>
#include <vector>

#include <zelmtools/framework/core/CObject.h>
#include <zelmtools/platform/base/win_types.h>

// An opaque place in a list; null means "none".
struct ListPosition;
using POSITION = ListPosition*;

template <class TYPE, class ARG_TYPE = const TYPE&>
class CList : public CObject {
public:
    explicit CList(INT_PTR nBlockSize = 10) : m_nBlockSize(nBlockSize > 0 ? nBlockSize : 10) {}
    ~CList() override { RemoveAll(); }
    CList(const CList&) = delete;
    CList& operator=(const CList&) = delete;

    INT_PTR GetCount() const { return m_nCount; }
    INT_PTR GetSize() const { return m_nCount; }
    BOOL IsEmpty() const { return m_nCount == 0; }

    TYPE& GetHead() { return m_pNodeHead->Value(); }
    const TYPE& GetHead() const { return m_pNodeHead->Value(); }
    TYPE& GetTail() { return m_pNodeTail->Value(); }
    const TYPE& GetTail() const { return m_pNodeTail->Value(); }

    POSITION AddHead(ARG_TYPE newElement) { return Link(NewNode(newElement), nullptr, m_pNodeHead); }
    POSITION AddTail(ARG_TYPE newElement) { return Link(NewNode(newElement), m_pNodeTail, nullptr); }
    TYPE RemoveHead() { return Take(m_pNodeHead); }
    TYPE RemoveTail() { return Take(m_pNodeTail); }
    void RemoveAt(POSITION position) { FreeNode(Unlink(NodeAt(position))); }

    void RemoveAll()
    {
        for (CNode* node = m_pNodeHead; node != nullptr; node = node->pNext) node->Value().~TYPE();
        m_pNodeHead = m_pNodeTail = m_pNodeFree = nullptr;
        m_nCount = 0;
        m_blocks.clear();
    }

    POSITION GetHeadPosition() const { return PositionOf(m_pNodeHead); }
    POSITION GetTailPosition() const { return PositionOf(m_pNodeTail); }

    // The element at rPosition; rPosition moves on to the next (or previous) one.
    TYPE& GetNext(POSITION& rPosition) { return Step(rPosition, &CNode::pNext); }
    const TYPE& GetNext(POSITION& rPosition) const { return Step(rPosition, &CNode::pNext); }
    TYPE& GetPrev(POSITION& rPosition) { return Step(rPosition, &CNode::pPrev); }
    const TYPE& GetPrev(POSITION& rPosition) const { return Step(rPosition, &CNode::pPrev); }

    TYPE& GetAt(POSITION position) { return NodeAt(position)->Value(); }
    const TYPE& GetAt(POSITION position) const { return NodeAt(position)->Value(); }
    void SetAt(POSITION position, ARG_TYPE newElement) { NodeAt(position)->Value() = newElement; }

    // The first element equal to searchValue after startAfter (from the head when null).
    POSITION Find(ARG_TYPE searchValue, POSITION startAfter = nullptr) const
    {
        CNode* node = startAfter ? NodeAt(startAfter)->pNext : m_pNodeHead;
        for (; node != nullptr; node = node->pNext)
            if (node->Value() == searchValue) return PositionOf(node);
        return nullptr;
    }

private:
    struct CNode {
        CNode* pNext;
        CNode* pPrev;
        alignas(TYPE) std::byte data[sizeof(TYPE)];

        TYPE& Value() { return *std::launder(reinterpret_cast<TYPE*>(data)); }
    };

    static POSITION PositionOf(CNode* node) { return reinterpret_cast<POSITION>(node); }
    static CNode* NodeAt(POSITION position) { return reinterpret_cast<CNode*>(position); }

    TYPE& Step(POSITION& rPosition, CNode* CNode::*link) const
    {
        CNode* node = NodeAt(rPosition);
        rPosition = PositionOf(node->*link);
        return node->Value();
    }

    CNode* NewNode(ARG_TYPE value)
    {
        if (m_pNodeFree == nullptr) AddBlock();
        CNode* node = m_pNodeFree;
        ::new (static_cast<void*>(node->data)) TYPE(value);  // a throwing copy leaves the node free
        m_pNodeFree = node->pNext;
        return node;
    }

    void AddBlock()
    {
        m_blocks.push_back(std::make_unique<CNode[]>(static_cast<std::size_t>(m_nBlockSize)));
        CNode* block = m_blocks.back().get();
        for (INT_PTR i = 0; i < m_nBlockSize; ++i) {
            block[i].pNext = m_pNodeFree;
            m_pNodeFree = &block[i];
        }
    }

    void FreeNode(CNode* node)
    {
        node->Value().~TYPE();
        node->pNext = m_pNodeFree;
        m_pNodeFree = node;
        if (m_nCount == 0) RemoveAll();
    }

    POSITION Link(CNode* node, CNode* prev, CNode* next)
    {
        node->pPrev = prev;
        node->pNext = next;
        (prev ? prev->pNext : m_pNodeHead) = node;
        (next ? next->pPrev : m_pNodeTail) = node;
        ++m_nCount;
        return PositionOf(node);
    }

    CNode* Unlink(CNode* node)
    {
        (node->pPrev ? node->pPrev->pNext : m_pNodeHead) = node->pNext;
        (node->pNext ? node->pNext->pPrev : m_pNodeTail) = node->pPrev;
        --m_nCount;
        return node;
    }

    TYPE Take(CNode* node)
    {
        TYPE value(std::move(node->Value()));
        FreeNode(Unlink(node));
        return value;
    }

    CNode* m_pNodeHead = nullptr;
    CNode* m_pNodeTail = nullptr;
    CNode* m_pNodeFree = nullptr;
    INT_PTR m_nCount = 0;
    INT_PTR m_nBlockSize;
    std::vector<std::unique_ptr<CNode[]>> m_blocks;
};
