# n-queens, n = 10: 724 solutions, by a recursive function that tries every column of a
# row against the queens of the earlier rows
n = 10
cols = [0] * (n + 1)


def place(d):
    if d > n:
        return 1
    found = 0
    for c in range(1, n + 1):
        free = True
        for r in range(1, d):
            diff = c - cols[r]
            if diff == 0 or diff == d - r or diff == r - d:
                free = False
                break
        if free:
            cols[d] = c
            found += place(d + 1)
    return found


print(place(1))
