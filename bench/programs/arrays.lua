local a = {}
for k = 1, 4096 do a[k] = 0 end
local j = 0
while j < 5000 do
  j = j + 1
  local i = 0
  while i < 4096 do
    i = i + 1
    a[i] = a[i] + i
  end
end
print(a[4096])
