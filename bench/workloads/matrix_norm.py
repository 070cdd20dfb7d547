nn = 100

def mul_a(src, dst):
    for i in range(nn):
        s = 0
        for j in range(nn):
            s = s + src[j] / ((i + j) * (i + j + 1) / 2 + i + 1)
        dst[i] = s

def mul_at(src, dst):
    for i in range(nn):
        s = 0
        for j in range(nn):
            s = s + src[j] / ((i + j) * (i + j + 1) / 2 + j + 1)
        dst[i] = s

u = [1.0] * nn
v = [0.0] * nn
w = [0.0] * nn
for it in range(10):
    mul_a(u, w)
    mul_at(w, v)
    mul_a(v, w)
    mul_at(w, u)
vbv = 0
vv = 0
for i in range(nn):
    vbv = vbv + u[i] * v[i]
    vv = vv + v[i] * v[i]
print('%.15g' % ((vbv / vv) ** 0.5))
