# A binary search tree kept in a table of nodes (key, left, right; 0 for no child):
# 20,000 Park-Miller keys below 100,000 inserted (repeated keys once), then an in-order
# walk with an explicit stack; printed: the nodes, the height, the keys walked, and the
# sum of each key times its rank.
keys = [0]
left = [0]
right = [0]
x = 5
height = 0
for i in range(20000):
    x = x * 16807 % 2147483647
    key = x % 100000
    if len(keys) == 1:
        keys.append(key)
        left.append(0)
        right.append(0)
        height = 1
        continue
    node = 1
    depth = 1
    while node > 0:
        nodekey = keys[node]
        if key == nodekey:
            break
        side = left if key < nodekey else right
        child = side[node]
        depth += 1
        if child == 0:
            keys.append(key)
            left.append(0)
            right.append(0)
            side[node] = len(keys) - 1
            break
        node = child
    if depth > height:
        height = depth
stack = []
node = 1
rank = 0
total = 0
while True:
    if node > 0:
        stack.append(node)
        node = left[node]
    elif stack:
        node = stack.pop()
        rank += 1
        total += rank * keys[node]
        node = right[node]
    else:
        break
print(len(keys) - 1)
print(height)
print(rank)
print(total)
