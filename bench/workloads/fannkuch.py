def fannkuch(n):
    perm1 = list(range(n))
    count = [0] * n
    maxflips = 0
    checksum = 0
    sign = 1
    r = n
    while True:
        while r != 1:
            count[r - 1] = r
            r -= 1
        perm = perm1[:]
        flips = 0
        first = perm[0]
        while first != 0:
            lo, hi = 0, first
            while lo < hi:
                perm[lo], perm[hi] = perm[hi], perm[lo]
                lo += 1
                hi -= 1
            flips += 1
            first = perm[0]
        if flips > maxflips:
            maxflips = flips
        checksum += sign * flips
        sign = -sign
        while True:
            if r == n:
                return checksum, maxflips
            perm0 = perm1[0]
            for i in range(r):
                perm1[i] = perm1[i + 1]
            perm1[r] = perm0
            count[r] -= 1
            if count[r] > 0:
                break
            r += 1

checksum, maxflips = fannkuch(7)
print(checksum)
print(maxflips)
